#pragma once

#include <QRect>

namespace calcaro {

// Layouts are given in twips: 1440 to the inch, 15 to the pixel at 96 dots per inch.
constexpr int twipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

} // namespace calcaro
