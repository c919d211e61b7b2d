#pragma once

// What the probes share: programs that run the real game for a test that watches them from
// another process. A probe says what it sees, one line a step, on its standard output; a step it
// cannot take ends it with status 3, saying why.

#include <QApplication>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <QtTest/QTest>

#include <cstdio>
#include <cstdlib>

namespace probe {

inline void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

[[noreturn]] inline void fail(const QString &why)
{
    say(QStringLiteral("FAILED: ") + why);
    std::exit(3);
}

// The window of that name on screen, or none.
inline QWidget *visibleTopLevel(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    return nullptr;
}

// The window of that name on screen.
inline QWidget *topLevel(const char *name)
{
    if (QWidget *w = visibleTopLevel(name))
        return w;
    fail(QStringLiteral("no visible %1").arg(QLatin1String(name)));
}

template <typename T = QPushButton> T *part(QWidget *window, const char *name)
{
    auto *p = window->findChild<T *>(QString::fromLatin1(name));
    if (!p)
        fail(QStringLiteral("no %1 in %2").arg(QLatin1String(name), window->objectName()));
    return p;
}

inline void press(QWidget *window, const char *button)
{
    QTest::mouseClick(part(window, button), Qt::LeftButton);
}

} // namespace probe
