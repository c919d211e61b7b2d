#include "buttonkeys.h"

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
    if (defaultButton) {
        window.installEventFilter(keys);
        for (QLineEdit *edit : window.findChildren<QLineEdit *>())
            edit->installEventFilter(keys);
    }
}

bool ButtonKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;

    if (auto *button = qobject_cast<QPushButton *>(watched)) {
        if (button->isEnabled() && button->isVisible())
            button->click();
        return true;
    }
    if (m_default && m_default->isVisible() && m_default->isEnabled())
        m_default->click();
    return true;
}

} // namespace calcaro
