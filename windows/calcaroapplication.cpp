#include "calcaroapplication.h"

#include "fatalerror.h"
#include "fonts.h"
#include "program.h"

#include <QIcon>

#include <exception>

namespace calcaro {

CalcaroApplication::CalcaroApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Calcaro"));
    setApplicationDisplayName(QStringLiteral("Calcaro CM1"));
    setApplicationVersion(QStringLiteral(CALCARO_DISPLAY_VERSION));
    setDesktopFileName(QStringLiteral(CALCARO_DESKTOP_ID));
    // Only the quit confirmation ends the program; windows come and go on the way there.
    setQuitOnLastWindowClosed(false);
    setFont(gameFont(9)); // menus and dialogs in the same face as the game
    Program::instance();  // loads the resources
    setWindowIcon(Program::icon());
    connect(this, &QCoreApplication::aboutToQuit, this, [] { Program::instance().shutdown(); });
}

bool CalcaroApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const FatalError &error) {
        Program::instance().fail(QStringLiteral("Erreur d’exécution : ") + error.message());
    } catch (const std::exception &error) {
        Program::instance().fail(QStringLiteral("Erreur d’exécution : ") +
                                 QString::fromLocal8Bit(error.what()));
    } catch (...) {
        Program::instance().fail(QStringLiteral("Erreur d’exécution inconnue"));
    }
    return false;
}

} // namespace calcaro
