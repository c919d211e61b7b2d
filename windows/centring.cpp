#include "centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace calcaro {
namespace {

QPoint centredPosition(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    const QSize outer = window.frameGeometry().size();
    const float top = static_cast<float>(area.height() - outer.height()) / 2.0f;
    const float left = static_cast<float>(area.width() - outer.width()) / 2.0f;
    return area.topLeft() + QPoint(qRound(left), qRound(top));
}

// Re-centres once, after the first showing, when the frame the window manager added is known.
class FrameWatcher : public QObject
{
public:
    FrameWatcher(QWidget &window, QPoint placed) : QObject(&window), m_placed(placed)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QPointer<QWidget> window = static_cast<QWidget *>(watched);
            const QPoint placed = m_placed;
            // Give the window manager a moment to report the frame.
            QTimer::singleShot(50, window, [window, placed] {
                if (window && window->pos() == placed)
                    window->move(centredPosition(*window));
            });
            deleteLater();
        }
        return false;
    }

private:
    QPoint m_placed;
};

} // namespace

void centreOnScreen(QWidget &window)
{
    // With its native window made, the platform can tell the frame around it, where it knows.
    window.winId();
    const QPoint position = centredPosition(window);
    window.move(position);
    new FrameWatcher(window, position); // owned by the window
}

} // namespace calcaro
