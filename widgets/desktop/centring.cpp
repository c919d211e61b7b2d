#include "desktop/centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace calcaro {
namespace {

// The frame around the window as the window system tells it now. QWidget keeps a copy of its
// own that only a move or a resize refreshes: one taken before the window manager framed the
// window says "no frame" until the window is next moved, however long ago the frame came. The
// native window reads it again whenever the window manager has changed it.
QMargins currentFrame(const QWidget &window)
{
    const QWindow *native = window.windowHandle();
    return native ? native->frameMargins() : QMargins();
}

// Centres the outer window, frame included. The client area is placed itself, so that the result
// does not hang on what QWidget believes of the frame.
void placeCentred(QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    const QMargins frame = currentFrame(window);
    const QSize outer = window.size().grownBy(frame);
    const float top = static_cast<float>(area.height() - outer.height()) / 2.0f;
    const float left = static_cast<float>(area.width() - outer.width()) / 2.0f;
    const QPoint outerTopLeft = area.topLeft() + QPoint(qRound(left), qRound(top));
    window.setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), window.size()));
}

// Centres the window once more when the window manager has framed it. A window manager puts its
// frame around a window before it maps it, so the frame is known for sure when the window is
// first exposed, however busy the machine. Not before: while the window manager builds the
// frame, the moves and resizes it makes on the way can be read as frames of any size. Where the
// window is exposed with no frame (no window manager, or one that draws none, or a title bar of
// the program's own) the first centring stands, and so does a place the desktop chose for a
// window it shows maximised or full screen.
class FrameWatcher : public QObject
{
public:
    FrameWatcher(QWidget &window, QWindow &native) : QObject(&window), m_window(window)
    {
        native.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *native = static_cast<QWindow *>(watched);
        if (event->type() != QEvent::Expose || !native->isExposed())
            return false;
        // Done before placing, which can bring events of its own at once.
        native->removeEventFilter(this);
        deleteLater();
        constexpr Qt::WindowStates placedByDesktop =
            Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized;
        if (!currentFrame(m_window).isNull() && !(m_window.windowState() & placedByDesktop))
            placeCentred(m_window);
        return false;
    }

private:
    QWidget &m_window;
};

} // namespace

void centreOnScreen(QWidget &window)
{
    // With its native window made, the platform can tell the frame around it, where it knows.
    window.winId();
    placeCentred(window);
    if (currentFrame(window).isNull())
        new FrameWatcher(window, *window.windowHandle()); // owned by the window
}

} // namespace calcaro
