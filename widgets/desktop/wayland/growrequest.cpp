// Linux desktops: X11 and Wayland. Only Wayland has a request to withdraw.
#include "desktop/nativewindow.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client-core.h>

namespace calcaro {

// Qt under Wayland sends the request to grow as soon as the native window's state changes, and
// setting the state back sends nothing while the compositor has not answered yet. So the
// request is withdrawn on the wire too, right behind it: a compositor that reads both together
// never configures the window as maximised (Weston ends the connection of a maximised window
// that keeps its own size). Under X11 this does nothing.
void withdrawGrowRequest(QWindow &window, Qt::WindowStates asked)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *toplevel = static_cast<wl_proxy *>(
        native ? native->nativeResourceForWindow("xdg_toplevel", &window) : nullptr);
    if (!toplevel)
        return; // not on screen yet: nothing was sent
    // Requests of xdg_toplevel in the stable xdg-shell protocol, by their numbers.
    constexpr uint32_t unsetMaximized = 10;
    constexpr uint32_t unsetFullscreen = 12;
    const uint32_t version = wl_proxy_get_version(toplevel);
    if (asked & Qt::WindowMaximized)
        wl_proxy_marshal_flags(toplevel, unsetMaximized, nullptr, version, 0);
    if (asked & Qt::WindowFullScreen)
        wl_proxy_marshal_flags(toplevel, unsetFullscreen, nullptr, version, 0);
}

} // namespace calcaro
