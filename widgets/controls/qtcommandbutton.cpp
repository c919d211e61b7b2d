#include "controls/qtcommandbutton.h"

#include <QPushButton>

namespace calcaro {

QtCommandButton::QtCommandButton(QPushButton &button) : m_button(button) {}

void QtCommandButton::setVisible(bool visible)
{
    m_button.setVisible(visible);
}

void QtCommandButton::setEnabled(bool enabled)
{
    m_button.setEnabled(enabled);
}

} // namespace calcaro
