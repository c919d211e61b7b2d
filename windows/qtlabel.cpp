#include "qtlabel.h"

#include <QLabel>

namespace calcaro {

QtLabel::QtLabel(QLabel &label, Sizing sizing) : m_label(label), m_sizing(sizing) {}

void QtLabel::setCaption(const QString &caption)
{
    m_label.setText(caption);
    if (m_sizing == Sizing::AutoSize)
        m_label.resize(m_label.sizeHint().width(), m_label.height());
}

void QtLabel::setVisible(bool visible)
{
    m_label.setVisible(visible);
}

} // namespace calcaro
