#include "desktop/fixedwindow.h"

#include "desktop/nativewindow.h"
#include "desktop/wayland/titlebar.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace calcaro {
namespace {

constexpr Qt::WindowStates growing = Qt::WindowMaximized | Qt::WindowFullScreen;

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

class FixedWindow : public QObject
{
public:
    explicit FixedWindow(QWidget &window) : QObject(&window), m_window(window)
    {
        window.installEventFilter(this);
        watchNativeWindow();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != &m_window)
            return false;
        // The native window is made late (at the first show) and may be made again.
        watchNativeWindow();
        if (event->type() == QEvent::WindowStateChange)
            takeBack();
        return false;
    }

private:
    void watchNativeWindow()
    {
        QWindow *native = m_window.windowHandle();
        if (!native || native == m_native)
            return;
        m_native = native;
        // The title bar's buttons under Wayland change the native window's state directly; the
        // request leaves at once, so it is taken back in the same breath, before the
        // compositor can configure the window as maximised.
        connect(native, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if (!(state & growing))
                return;
            takeBack();
            withdrawGrowRequest(*m_native, state);
        });
    }

    void takeBack()
    {
        const Qt::WindowStates widgetState = m_window.windowState();
        if (widgetState & growing)
            m_window.setWindowState(widgetState & ~growing);
        if (m_native && (m_native->windowStates() & growing))
            m_native->setWindowStates(m_native->windowStates() & ~growing);
    }

    QWidget &m_window;
    QPointer<QWindow> m_native;
};

} // namespace

void keepFixedSize(QWidget &window)
{
    new FixedWindow(window); // owned by the window
    // Under X11 (and elsewhere) the window manager draws the title bar from the window's flags,
    // which ask for the close button only. Qt under Wayland draws its own bar, with minimise and
    // maximise whatever the flags say, unless it is asked for no title bars at all (a kiosk, say).
    if (onWayland() && !qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
        new TitleBar(window); // owned by the window
}

} // namespace calcaro
