#include "controls/buttonkeys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace calcaro {

ButtonKeys::ButtonKeys(QWidget &window, QPushButton *defaultButton)
    : QObject(&window), m_default(defaultButton)
{}

void ButtonKeys::install(QWidget &window, QPushButton *defaultButton)
{
    auto *keys = new ButtonKeys(window, defaultButton); // owned by the window
    for (QPushButton *button : window.findChildren<QPushButton *>())
        button->installEventFilter(keys);
    window.installEventFilter(keys);
    for (QLineEdit *edit : window.findChildren<QLineEdit *>())
        edit->installEventFilter(keys);
}

bool ButtonKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    auto *button = qobject_cast<QPushButton *>(watched);

    // A held key presses nothing again: its repeats would judge the next question the moment it
    // is set up, before the child has even seen it. Only a new press counts.
    if (key->isAutoRepeat() && (enter || (button && key->key() == Qt::Key_Space)))
        return true;
    if (event->type() != QEvent::KeyPress || !enter)
        return false;
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;

    if (button) {
        if (button->isEnabled() && button->isVisible())
            button->click();
        return true;
    }
    if (m_default && m_default->isVisible() && m_default->isEnabled())
        m_default->click();
    return m_default != nullptr;
}

} // namespace calcaro
