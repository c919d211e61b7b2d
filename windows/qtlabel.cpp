#include "qtlabel.h"

#include <QLabel>

namespace calcaro {

QtLabel::QtLabel(QLabel &label, Sizing sizing) : m_label(label), m_sizing(sizing) {}

void QtLabel::setCaption(const QString &caption)
{
    const bool changed = caption != m_label.text();
    m_label.setText(caption);
    if (m_sizing == Sizing::AutoSize)
        m_label.resize(m_label.sizeHint().width(), m_label.height());
    if (!changed)
        return;
    if (m_changed)
        m_changed();
}

void QtLabel::setVisible(bool visible)
{
    m_label.setVisible(visible);
}

} // namespace calcaro
