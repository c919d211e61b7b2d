#pragma once

#include <QString>

#include <exception>

namespace calcaro {

// The program's fatal run-time error. Nothing inside the game catches it but the one entry of
// every handler, GameWindows::handle, which reports it through the front end (a message box, or
// the browser's alert) once the handler has unwound, and ends the program.
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

} // namespace calcaro
