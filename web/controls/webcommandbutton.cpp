#include "webcommandbutton.h"

namespace calcaro::web {

void WebCommandButton::setEnabled(bool enabled)
{
    if (!enabled)
        passFocusOn(m_element);
    m_element.set("disabled", emscripten::val(!enabled));
}

} // namespace calcaro::web
