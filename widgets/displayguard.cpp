#include "displayguard.h"

#include <cstdio>
#include <cstdlib>

namespace calcaro {

DisplayGuard::DisplayGuard()
{
    s_active = this;
    m_previous = qInstallMessageHandler(&DisplayGuard::handle);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(m_previous);
    s_active = nullptr;
    for (const Held &held : m_held) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        if (m_previous)
            m_previous(held.type, context, held.message);
        else
            qt_message_output(held.type, context, held.message);
    }
}

QString DisplayGuard::noDisplayMessage()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString x11 = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    QString screen;
    if (!platform.isEmpty())
        screen = QStringLiteral("l’affichage « %1 »").arg(platform);
    else if (!x11.isEmpty())
        screen = QStringLiteral("l’écran « %1 »").arg(x11);
    else if (!wayland.isEmpty())
        screen = QStringLiteral("l’écran Wayland « %1 »").arg(wayland);
    if (screen.isEmpty())
        return QStringLiteral("calcaro : aucun écran graphique (DISPLAY et WAYLAND_DISPLAY sont "
                              "vides) ; lancez le jeu depuis une session graphique.");
    return QStringLiteral("calcaro : impossible d’ouvrir %1 ; lancez le jeu depuis une session "
                          "graphique.")
        .arg(screen);
}

void DisplayGuard::handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        // Qt would abort next, leaving a core dump for what is the user's setting, not a fault.
        std::fprintf(stderr, "%s\n", noDisplayMessage().toLocal8Bit().constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    s_active->m_held.push_back(
        {type, QByteArray(context.category ? context.category : "default"), message});
}

} // namespace calcaro
