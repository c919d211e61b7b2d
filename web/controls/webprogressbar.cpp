#include "webprogressbar.h"

#include "element.h"

namespace calcaro::web {

WebProgressBar::WebProgressBar(const QString &id) : m_element(element(id)) {}

void WebProgressBar::setValue(float value)
{
    m_value = value;
    // The number as the browser writes it: formatting it here would compile the C library's
    // printf while the game starts.
    m_element["style"].call<void>("setProperty", std::string("--value"), value);
}

void WebProgressBar::setVisible(bool visible)
{
    setHidden(m_element, !visible);
}

} // namespace calcaro::web
