#include "webcommandbutton.h"

#include "element.h"

namespace calcaro::web {

WebCommandButton::WebCommandButton(const QString &id) : m_element(element(id)) {}

void WebCommandButton::setVisible(bool visible)
{
    setHidden(m_element, !visible);
}

void WebCommandButton::setEnabled(bool enabled)
{
    if (!enabled)
        passFocusOn(m_element);
    m_element.set("disabled", emscripten::val(!enabled));
}

} // namespace calcaro::web
