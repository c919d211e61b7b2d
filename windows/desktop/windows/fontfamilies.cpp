// Windows.
#include "desktop/nativewindow.h"

namespace calcaro {

// "MS Sans Serif" itself is a bitmap face with a few fixed sizes; Windows draws it with
// "Microsoft Sans Serif", its scalable outline, which is therefore asked for first.
QStringList gameFontFamilies()
{
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Sans Serif"),
            QStringLiteral("Arial")};
}

} // namespace calcaro
