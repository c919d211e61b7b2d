#include "webprogressbar.h"

#include "element.h"

namespace calcaro::web {

WebProgressBar::WebProgressBar(const QString &id) : m_element(element(id)) {}

void WebProgressBar::setValue(float value)
{
    m_value = value;
    m_element["style"].call<void>("setProperty", std::string("--value"), std::to_string(value));
}

void WebProgressBar::setVisible(bool visible)
{
    setHidden(m_element, !visible);
}

} // namespace calcaro::web
