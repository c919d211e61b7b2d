#include "qttextbox.h"

#include <QLineEdit>

namespace calcaro {

QtTextBox::QtTextBox(QLineEdit &edit) : m_edit(edit) {}

QString QtTextBox::text() const
{
    return m_edit.text();
}

void QtTextBox::setText(const QString &text)
{
    const bool different = text != m_edit.text();
    m_edit.setText(text);
    if (different)
        changed();
}

bool QtTextBox::isVisible() const
{
    return m_edit.isVisibleTo(m_edit.window());
}

void QtTextBox::setVisible(bool visible)
{
    const bool was = isVisible();
    m_edit.setVisible(visible);
    if (visible != was)
        changed();
}

void QtTextBox::setCentred()
{
    m_edit.setAlignment(Qt::AlignCenter);
}

void QtTextBox::setFocus()
{
    m_edit.setFocus(Qt::OtherFocusReason);
}

void QtTextBox::changed()
{
    if (m_changed)
        m_changed();
}

} // namespace calcaro
