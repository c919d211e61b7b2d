#include "weblabel.h"

#include "element.h"

namespace calcaro::web {

WebLabel::WebLabel(const QString &id) : m_element(element(id)) {}

void WebLabel::setCaption(const QString &caption)
{
    m_element.set("textContent", toJs(caption));
}

void WebLabel::setVisible(bool visible)
{
    setHidden(m_element, !visible);
}

} // namespace calcaro::web
