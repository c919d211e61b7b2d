#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <vector>

namespace calcaro {

// Watches the creation of the application object. Without a display to open, Qt aborts the
// process with a core dump and advice about reinstalling; under this guard the program prints
// one line that says what is missing and ends with status 1. What Qt's display code said
// meanwhile is passed on once the display is open.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

    // The line printed when no display could be opened, from the environment it was tried in.
    static QString noDisplayMessage();

private:
    struct Held
    {
        QtMsgType type;
        QByteArray category;
        QString message;
    };
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);

    static inline DisplayGuard *s_active = nullptr; // not an owner: the guard lives on main's stack
    QtMessageHandler m_previous;
    std::vector<Held> m_held;
};

} // namespace calcaro
