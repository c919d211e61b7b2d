#pragma once

#include "commandbutton.h"

class QPushButton;

namespace calcaro {

class QtCommandButton : public CommandButton
{
public:
    explicit QtCommandButton(QPushButton &button);

    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;

private:
    QPushButton &m_button;
};

} // namespace calcaro
