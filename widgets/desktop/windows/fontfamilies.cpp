// Windows.
#include "desktop/nativewindow.h"

namespace calcaro {

// "MS Sans Serif" itself is a bitmap face with a few fixed sizes; Windows draws it in dialogs with
// "Microsoft Sans Serif", its scalable outline, which is therefore asked for instead. Arial and
// Tahoma follow for a Windows without it, then Liberation Sans (Arial's metrics), which Wine
// takes from Linux: where none is found, Qt would take the first face in alphabetical order,
// often a serif one.
QStringList gameFontFamilies()
{
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
            QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")};
}

} // namespace calcaro
