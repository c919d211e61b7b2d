#include "centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace calcaro {
namespace {

QPoint centredPosition(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    // Before the window manager has framed the window, the frame may be reported as nothing at
    // all; the window is never smaller than its client area.
    const QSize outer = window.frameGeometry().size().expandedTo(window.size());
    const float top = static_cast<float>(area.height() - outer.height()) / 2.0f;
    const float left = static_cast<float>(area.width() - outer.width()) / 2.0f;
    return area.topLeft() + QPoint(qRound(left), qRound(top));
}

// Centres the window once more when the window manager has put its frame around it, soon after
// the first showing. Where no frame ever comes (no window manager, or one that draws none) the
// first centring already stands.
class FrameWatcher : public QObject
{
public:
    explicit FrameWatcher(QWidget &window) : QObject(&window), m_window(window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            m_shown = true;
            break;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            done(); // the child is using the window: leave it where it is
            break;
        default:
            // The frame is known some events after the first showing, with no event of its own.
            if (m_shown && m_window.frameGeometry().height() > m_window.height()) {
                m_window.move(centredPosition(m_window));
                done();
            } else if (m_shown && ++m_eventsSinceShown > 1000) {
                done(); // no frame is coming
            }
            break;
        }
        return false;
    }

private:
    void done()
    {
        m_window.removeEventFilter(this);
        deleteLater();
    }

    QWidget &m_window;
    bool m_shown = false;
    int m_eventsSinceShown = 0;
};

} // namespace

void centreOnScreen(QWidget &window)
{
    // With its native window made, the platform can tell the frame around it, where it knows.
    window.winId();
    window.move(centredPosition(window));
    if (window.frameGeometry().height() == window.height())
        new FrameWatcher(window); // owned by the window
}

} // namespace calcaro
