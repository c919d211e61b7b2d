#include "webprogressbar.h"

#include <string>

namespace calcaro::web {

void WebProgressBar::setValue(float value)
{
    m_value = value;
    // The number as the browser writes it: formatting it here would compile the C library's
    // printf while the game starts.
    m_element["style"].call<void>("setProperty", std::string("--value"), value);
}

} // namespace calcaro::web
