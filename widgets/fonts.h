#pragma once

#include <QFont>

namespace calcaro {

enum class Weight { Regular, Bold };
enum class Slant { Upright, Italic };

// The game's sans-serif face at a size in points, laid out as at 96 dots per inch so that text
// and the pixel layout keep their proportions on every screen.
QFont gameFont(double points, Weight weight = Weight::Regular, Slant slant = Slant::Upright);

} // namespace calcaro
