#pragma once

#include <QSize>

#include <vector>

namespace calcaro {

// "Grand écran", for interactive whiteboards and projectors: the whole game as large as the
// screen lets every one of its windows show whole, frame included, and never larger than twice
// its size. The desktop's "Grand écran" action asks for it with CALCARO_GRAND_ECRAN=1; the
// program takes no command line.
namespace bigscreen {

// The game's windows at their normal size, client areas without frames: the main window (its
// menu bar included), the series-end dialog and the quit confirmation.
std::vector<QSize> windowSizes();

// A window manager's frame: borders and a title bar, wider than most draw them.
constexpr QSize frameAllowance(16, 48);

// The largest scale, from 1 to 2 in steps of 0.05, at which every window, enlarged, and its
// frame (which the window manager draws at its own size) fit in the available area. 1 when even
// the normal size does not fit.
double fittingScale(QSize available, const std::vector<QSize> &windows, QSize frame);

// Called by main() before the application exists. When the desktop asks for the big screen and
// no scale is set already, looks at the screen the game will show on and sets QT_SCALE_FACTOR
// to the scale that fits it. Returns that scale, or 0 when nothing was asked or set.
double chooseScale(int &argc, char **argv);

} // namespace bigscreen
} // namespace calcaro
