#include "altreplayguard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace calcaro {

AltReplayGuard::AltReplayGuard(QObject &parent) : QObject(&parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool AltReplayGuard::eventFilter(QObject *watched, QEvent *event)
{
    // The menu bar arms its Alt navigation on the shortcut check that comes before a key press;
    // a key press handed back by the accessibility bridge is posted, not spontaneous. Stopping
    // that check leaves the press itself to go on as usual.
    if (event->type() == QEvent::ShortcutOverride && !event->spontaneous()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Alt || key == Qt::Key_Meta)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace calcaro
