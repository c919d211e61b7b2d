#include "qtlabel.h"

#include <QAccessible>
#include <QLabel>

namespace calcaro {

QtLabel::QtLabel(QLabel &label, Sizing sizing, Announce announce)
    : m_label(label), m_sizing(sizing), m_announce(announce)
{}

void QtLabel::setCaption(const QString &caption)
{
    const bool changed = caption != m_label.text();
    m_label.setText(caption);
    if (m_sizing == Sizing::AutoSize)
        m_label.resize(m_label.sizeHint().width(), m_label.height());
    if (!changed)
        return;
    // A spoken form that follows the caption is in place before the message is announced.
    if (m_changed)
        m_changed();
    if (m_announce == Announce::Yes) {
        // The change of the accessible name is reported by Qt itself (QLabel for its text,
        // QWidget for a spoken form); a live message is also read out as an alert.
        QAccessibleEvent alert(&m_label, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void QtLabel::setVisible(bool visible)
{
    m_label.setVisible(visible);
}

} // namespace calcaro
