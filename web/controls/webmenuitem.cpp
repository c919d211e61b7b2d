#include "webmenuitem.h"

#include "element.h"

namespace calcaro::web {

WebMenuItem::WebMenuItem(const QString &id) : m_element(element(id)) {}

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
