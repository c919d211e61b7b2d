#include "webmenuitem.h"

namespace calcaro::web {

bool WebMenuItem::isChecked() const
{
    return m_element.call<emscripten::val>("getAttribute", std::string("aria-checked"))
               .as<std::string>() == "true";
}

void WebMenuItem::setChecked(bool checked)
{
    m_element.call<void>("setAttribute", std::string("aria-checked"),
                         std::string(checked ? "true" : "false"));
}

void WebMenuItem::setEnabled(bool enabled)
{
    m_element.set("disabled", emscripten::val(!enabled));
}

} // namespace calcaro::web
