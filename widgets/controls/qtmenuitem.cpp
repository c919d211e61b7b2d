#include "controls/qtmenuitem.h"

#include <QAction>

namespace calcaro {

QtMenuItem::QtMenuItem(QAction &action) : m_action(action) {}

bool QtMenuItem::isChecked() const
{
    return m_action.isChecked();
}

void QtMenuItem::setChecked(bool checked)
{
    m_action.setChecked(checked);
}

void QtMenuItem::setEnabled(bool enabled)
{
    m_action.setEnabled(enabled);
}

} // namespace calcaro
