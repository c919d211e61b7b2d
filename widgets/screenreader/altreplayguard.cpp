#include "screenreader/altreplayguard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace calcaro {

AltReplayGuard::AltReplayGuard(QObject &parent) : QObject(&parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool AltReplayGuard::eventFilter(QObject *watched, QEvent *event)
{
    // The menu bar arms its Alt navigation on the shortcut check that comes before a key press.
    // A key press handed back by the accessibility bridge is posted, not spontaneous; the check
    // the keyboard's own press gets is spontaneous, and the bridge lets it through. Stopping the
    // check of a handed-back Alt leaves the press itself to go on as usual.
    switch (event->type()) {
    case QEvent::Shortcut:
        m_shortcutSinceAlt = true;
        break;
    case QEvent::ShortcutOverride: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Alt && key != Qt::Key_Meta)
            break;
        if (event->spontaneous())
            m_shortcutSinceAlt = false;
        else if (m_shortcutSinceAlt)
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace calcaro
