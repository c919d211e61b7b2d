#include "fatalerror.h"

#include <utility>

namespace calcaro {

FatalError::FatalError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8())
{}

FatalError FatalError::overflow()
{
    return FatalError(QStringLiteral("Dépassement de capacité"));
}

} // namespace calcaro
