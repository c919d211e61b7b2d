#include "webprogressbar.h"

#include <string>

namespace calcaro::web {

void WebProgressBar::setValue(float value)
{
    m_value = value;
    m_element["style"].call<void>("setProperty", std::string("--value"), std::to_string(value));
}

} // namespace calcaro::web
