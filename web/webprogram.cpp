#include "webprogram.h"

#include "controls/element.h"
#include "texts.h"
#include "windowwiring.h"

#include <emscripten/html5.h>
#include <emscripten/val.h>

namespace calcaro::web {
namespace {

QString idOf(WindowId window)
{
    return QString::fromLatin1(wiring::nameOf(window));
}

// A button of a window, as the page names it: the main window's by its own name.
QString idOf(WindowId window, const char *control)
{
    const QString name = QString::fromLatin1(control);
    return window == WindowId::Main ? name : idOf(window) + QLatin1Char('.') + name;
}

} // namespace

// The clock the draws are seeded from is the browser's: the C++ library's system_clock would
// bring in its error reporting, with printf, for a clock that cannot fail here.
WebProgram::WebProgram()
    : m_random([] { return static_cast<std::uint64_t>(emscripten_date_now() * 1000); })
{}

void WebProgram::start()
{
    m_windows.show(WindowId::Main); // the page gives "Démarrer" the focus once it has loaded
}

void WebProgram::press(const QString &name)
{
    for (const wiring::WindowPress &press : wiring::windowPresses) {
        if (QStringView(name) == idOf(press.window, press.control)) {
            if (takesPresses(element(name))) {
                m_windows.handle(press.window, GameWindows::From::User,
                                 [this, handler = press.handler] { (m_windows.*handler)(); });
            }
            return;
        }
    }
    if (m_main)
        m_main->press(name, m_windows);
}

void WebProgram::closeWindow(const QString &name)
{
    for (const wiring::Window &window : wiring::windows) {
        if (QStringView(name) == QLatin1StringView(window.name)) {
            // Only a window on screen has a close box to press.
            m_windows.handle(window.window, GameWindows::From::User,
                             [this, close = window.close] { (m_windows.*close)(); });
            return;
        }
    }
}

void WebProgram::answerFocused()
{
    if (m_main)
        m_main->speech().answerFocused();
}

void WebProgram::create(WindowId window)
{
    if (window != WindowId::Main)
        return;
    // The page draws the main window before the game has started: made afresh, it is set up out
    // of sight all the same (nothing is said meanwhile), and shown in the same turn, undrawn.
    setHidden(element(idOf(window)), true);
    m_main = std::make_unique<WebMainWindow>(m_state, m_random, m_lms, m_windows, *this);
}

void WebProgram::destroy(WindowId window)
{
    hide(window);
    if (window == WindowId::Main && m_main) {
        m_closed.push_back(std::move(m_main));
        // The browser's timeout, as the timers': emscripten_async_call would bring in its
        // whole browser library (canvas, full screen, main loop) for this one call.
        emscripten_set_timeout(&WebProgram::freeClosed, 0, this);
    }
}

void WebProgram::freeClosed(void *program)
{
    static_cast<WebProgram *>(program)->m_closed.clear();
}

void WebProgram::show(WindowId window)
{
    const bool opens = window != WindowId::Main && !isVisible(window);
    emscripten::val page = element(idOf(window));
    setHidden(page, false); // no longer leaving
    if (opens) {
        page.call<void>("show");
        element(idOf(window, wiring::firstFocus(window))).call<void>("focus");
    }
}

void WebProgram::hide(WindowId window)
{
    // The window the focus leaves, or is about to leave, goes once the browser has told where
    // the focus went.
    emscripten::val page = element(idOf(window));
    if (window == WindowId::Main ? !isHidden(page) : page["open"].as<bool>())
        leave(page);
}

bool WebProgram::isVisible(WindowId window) const
{
    const emscripten::val page = element(idOf(window));
    return window == WindowId::Main ? !isHidden(page) : page["open"].as<bool>() && !isHidden(page);
}

bool WebProgram::isOnScreen(WindowId window) const
{
    return isVisible(window);
}

void WebProgram::setSeriesEndScore(const QString &text)
{
    element(QStringLiteral("Form2.Label1")).set("textContent", toJs(text));
}

QuizEngine &WebProgram::game()
{
    return m_main->engine();
}

// The browser hands the page its events between handlers, never inside one: nothing waits.
void WebProgram::processPendingEvents() {}

// A tab cannot close itself: the game ends on a goodbye screen, with a way to play again.
void WebProgram::endProgram(int)
{
    m_lms.finish();
    setHidden(element(QStringLiteral("goodbye")), false);
    element(QStringLiteral("goodbye-replay")).call<void>("focus");
    // Read out whatever the focus is heard saying as the windows go.
    element(QStringLiteral("page-announce"))
        .set("textContent", toJs(fromJs(element(QStringLiteral("goodbye-text"))["textContent"]) +
                                 QLatin1Char(' ') +
                                 fromJs(element(QStringLiteral("goodbye-hint"))["textContent"])));
}

void WebProgram::reportError(const QString &message)
{
    emscripten::val::global("window").call<void>(
        "alert", toJs(texts::title + QStringLiteral(" : ") + message));
}

} // namespace calcaro::web
