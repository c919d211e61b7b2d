#include "controls/qtprogressbar.h"

#include <QProgressBar>

namespace calcaro {

QtProgressBar::QtProgressBar(QProgressBar &bar) : m_bar(bar)
{
    m_bar.setRange(0, resolution);
    m_bar.setValue(0);
}

void QtProgressBar::setValue(float value)
{
    m_value = value;
    m_bar.setValue(qBound(0, qRound(value * (resolution / 100.0f)), resolution));
}

void QtProgressBar::setVisible(bool visible)
{
    m_bar.setVisible(visible);
}

} // namespace calcaro
