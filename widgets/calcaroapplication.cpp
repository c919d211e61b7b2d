#include "calcaroapplication.h"

#include "fonts.h"
#include "program.h"
#include "texts.h"

namespace calcaro {

CalcaroApplication::CalcaroApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Calcaro"));
    setApplicationDisplayName(texts::title);
    setApplicationVersion(QStringLiteral(CALCARO_DISPLAY_VERSION));
    setDesktopFileName(QStringLiteral(CALCARO_DESKTOP_ID));
    // Only the quit confirmation ends the program; windows come and go on the way there.
    setQuitOnLastWindowClosed(false);
    setFont(gameFont(9)); // menus and dialogs in the same face as the game
    setWindowIcon(Program::instance().icon());
}

} // namespace calcaro
