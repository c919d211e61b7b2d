#pragma once

#include "textbox.h"

#include <functional>

class QLineEdit;

namespace calcaro {

class QtTextBox : public TextBox
{
public:
    explicit QtTextBox(QLineEdit &edit);

    QString text() const override;
    void setText(const QString &text) override;
    // The box's own visible flag, whether or not its window is on screen.
    bool isVisible() const override;
    void setVisible(bool visible) override;
    void setCentred() override;
    void setFocus() override;
    // Called after every change of the text or of the visible flag made through this box.
    void onChange(std::function<void()> listener) { m_changed = std::move(listener); }

private:
    void changed();

    QLineEdit &m_edit;
    std::function<void()> m_changed;
};

} // namespace calcaro
