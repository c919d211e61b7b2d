#include "fatalerror.h"

#include "texts.h"

#include <utility>

namespace calcaro {

FatalError::FatalError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8())
{}

FatalError FatalError::overflow()
{
    return FatalError(QStringLiteral("Dépassement de capacité"));
}

std::optional<QString> errorStopping(void (*run)(void *action), void *action)
{
    try {
        run(action);
        return std::nullopt;
    } catch (const FatalError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromLatin1(e.what()); // the C++ library's own, in ASCII
    } catch (...) {
        return texts::unknownError;
    }
}

} // namespace calcaro
