#pragma once

#include <QStringList>
#include <Qt>

class QWindow;

// What differs from one desktop to the next beneath the windows. Each is defined once for Linux
// (desktop/linux/, desktop/wayland/) and once for Windows (desktop/windows/).
namespace calcaro {

// Withdraws, on the desktop's own connection, a request to grow that the native window has
// already sent; where such a request takes effect at once and can simply be reversed, nothing.
void withdrawGrowRequest(QWindow &window, Qt::WindowStates asked);

// The font families for the game's texts, best first: the layouts were drawn for
// "MS Sans Serif", and where that face is missing, for a plain sans-serif of the same metrics.
QStringList gameFontFamilies();

} // namespace calcaro
