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
    if (changed && m_announce == Announce::Yes) {
        // The label's text is its accessible name, whose change QLabel reports itself; a live
        // message is also read out as an alert.
        QAccessibleEvent alert(&m_label, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
    if (m_sizing == Sizing::AutoSize)
        m_label.resize(m_label.sizeHint().width(), m_label.height());
    if (changed && m_changed)
        m_changed();
}

void QtLabel::setVisible(bool visible)
{
    m_label.setVisible(visible);
}

} // namespace calcaro
