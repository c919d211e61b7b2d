#include "weblabel.h"

#include "element.h"

namespace calcaro::web {

WebLabel::WebLabel(const QString &id) : m_element(element(id)) {}

void WebLabel::setCaption(const QString &caption)
{
    if (caption == this->caption())
        return;
    m_element.set("textContent", toJs(caption));
    if (m_changed)
        m_changed();
}

void WebLabel::setVisible(bool visible)
{
    setHidden(m_element, !visible);
}

QString WebLabel::caption() const
{
    return fromJs(m_element["textContent"]);
}

bool WebLabel::isVisible() const
{
    return !isHidden(m_element);
}

} // namespace calcaro::web
