#include "weblabel.h"

namespace calcaro::web {

void WebLabel::setCaption(const QString &caption)
{
    if (setText(m_element, caption) && m_changed)
        m_changed();
}

QString WebLabel::caption() const
{
    return fromJs(m_element["textContent"]);
}

} // namespace calcaro::web
