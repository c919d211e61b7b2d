#include "weblabel.h"

namespace calcaro::web {

void WebLabel::setCaption(const QString &caption)
{
    const emscripten::val text = toJs(caption);
    if (m_element["textContent"].strictlyEquals(text))
        return;
    m_element.set("textContent", text);
    if (m_changed)
        m_changed();
}

QString WebLabel::caption() const
{
    return fromJs(m_element["textContent"]);
}

} // namespace calcaro::web
