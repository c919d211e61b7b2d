#pragma once

#include "menuitem.h"

class QAction;

namespace calcaro {

class QtMenuItem : public MenuItem
{
public:
    explicit QtMenuItem(QAction &action);

    bool isChecked() const override;
    void setChecked(bool checked) override;
    void setEnabled(bool enabled) override;

private:
    QAction &m_action;
};

} // namespace calcaro
