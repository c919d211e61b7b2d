#include "integer.h"

#include "fatalerror.h"

namespace calcaro {

Integer::Integer(int value)
{
    // int arithmetic on two int16 operands cannot itself overflow, so checking here suffices.
    if (value < minimum || value > maximum)
        throw FatalError::overflow();
    m_value = static_cast<std::int16_t>(value);
}

} // namespace calcaro
