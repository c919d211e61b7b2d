// Windows.
#include "desktop/nativewindow.h"

namespace calcaro {

// "MS Sans Serif" itself is a bitmap face with a few fixed sizes; Windows draws it in dialogs with
// "Microsoft Sans Serif", its scalable outline, which is therefore asked for instead. Arial and
// Tahoma follow for a Windows without it (Wine has Tahoma).
QStringList gameFontFamilies()
{
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
            QStringLiteral("Tahoma")};
}

} // namespace calcaro
