#include "fonts.h"

#include "desktop/nativewindow.h"

namespace calcaro {

QFont gameFont(double points, Weight weight, Slant slant)
{
    QFont font;
    font.setFamilies(gameFontFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    font.setWeight(weight == Weight::Bold ? QFont::Bold : QFont::Normal);
    font.setItalic(slant == Slant::Italic);
    return font;
}

} // namespace calcaro
