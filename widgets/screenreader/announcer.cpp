#include "screenreader/announcer.h"

#include "screenreader/accessibility.h"

#include <QEvent>
#include <QWidget>

namespace calcaro {

Announcer::Announcer(QWidget &parent) : QObject(&parent), m_parent(parent)
{
    // The notices sit in a status line of no size: a notice in a status line is read without
    // the word "notification" before it.
    auto *line = new QWidget(&parent);
    line->setObjectName(QStringLiteral("announcements"));
    line->setGeometry(0, 0, 0, 0);
    line->setFocusPolicy(Qt::NoFocus);
    setAccessibleRole(*line, QAccessible::StatusBar);
    for (QWidget *&notice : m_notices) {
        notice = new QWidget(line);
        notice->setObjectName(QStringLiteral("notice"));
        notice->setGeometry(0, 0, 0, 0);
        notice->setFocusPolicy(Qt::NoFocus);
        notice->setVisible(false);
        setAccessibleRole(*notice, QAccessible::Notification);
    }
    parent.installEventFilter(this);
}

bool Announcer::eventFilter(QObject *watched, QEvent *event)
{
    // A notice still up when the window goes would appear again with the window, and be read
    // out again, long after its time.
    if (event->type() == QEvent::Hide) {
        for (QWidget *notice : m_notices)
            notice->hide();
    }
    return QObject::eventFilter(watched, event);
}

void Announcer::announce(const QString &text)
{
    if (text.isEmpty() || !m_parent.isVisible())
        return;
    QWidget *notice = m_notices[m_next];
    m_next = (m_next + 1) % m_notices.size();
    notice->hide();
    notice->setAccessibleName(text);
    notice->show(); // Qt tells assistive technology that it appeared
}

} // namespace calcaro
