// Linux desktops.
#include "desktop/nativewindow.h"

namespace calcaro {

// Liberation Sans has Arial's metrics, close enough to "MS Sans Serif" at these sizes; Debian
// installs it with the game.
QStringList gameFontFamilies()
{
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica"),
            QStringLiteral("sans-serif")};
}

} // namespace calcaro
