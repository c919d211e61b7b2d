#include "weblabel.h"

namespace calcaro::web {

void WebLabel::setCaption(const QString &caption)
{
    if (caption == this->caption())
        return;
    m_element.set("textContent", toJs(caption));
    if (m_changed)
        m_changed();
}

QString WebLabel::caption() const
{
    return fromJs(m_element["textContent"]);
}

} // namespace calcaro::web
