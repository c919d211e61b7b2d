#pragma once

#include "textbox.h"

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

private:
    QLineEdit &m_edit;
};

} // namespace calcaro
