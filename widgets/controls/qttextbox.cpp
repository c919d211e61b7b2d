#include "controls/qttextbox.h"

#include <QLineEdit>

namespace calcaro {

QtTextBox::QtTextBox(QLineEdit &edit) : m_edit(edit) {}

QString QtTextBox::text() const
{
    return m_edit.text();
}

void QtTextBox::setText(const QString &text)
{
    // Rewritten on every tick with the same text: a text that does not change tells assistive
    // technology nothing (QLineEdit would report it as removed and inserted again).
    if (text == m_edit.text())
        return;
    m_edit.setText(text);
}

bool QtTextBox::isVisible() const
{
    return m_edit.isVisibleTo(m_edit.window());
}

void QtTextBox::setVisible(bool visible)
{
    m_edit.setVisible(visible);
}

void QtTextBox::setCentred()
{
    m_edit.setAlignment(Qt::AlignCenter);
}

void QtTextBox::setFocus()
{
    m_edit.setFocus(Qt::OtherFocusReason);
}

} // namespace calcaro
