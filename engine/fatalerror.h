#pragma once

#include <QString>

#include <exception>
#include <optional>

namespace calcaro {

// The program's fatal run-time error. Nothing inside the game catches it but the one entry of
// every handler, GameWindows::handle (through errorStopping), which reports it through the front
// end (a message box, or the browser's alert) once the handler has unwound, and ends the program.
class FatalError : public std::exception
{
public:
    explicit FatalError(QString message);

    // The French text naming the error, as shown to the user.
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    static FatalError overflow();

private:
    QString m_message;
    QByteArray m_utf8;
};

// Runs `action`; the French text of the error that stopped it, if one did. The program's only
// catch: the browser's build catches in this function alone (CMakeLists.txt), since every other
// function able to catch would make each of its calls that may throw through a wrapper, a fifth
// of the module's script. Hence too a plain function pointer, not one std::function per caller.
std::optional<QString> errorStopping(void (*run)(void *action), void *action);

template <typename Action> std::optional<QString> errorStopping(Action &action)
{
    return errorStopping([](void *a) { (*static_cast<Action *>(a))(); }, &action);
}

} // namespace calcaro
