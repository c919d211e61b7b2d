#pragma once

#include "menuitem.h"

#include <QString>

#include <emscripten/val.h>

namespace calcaro::web {

// A menu item of the page (role menuitemradio): its check mark is aria-checked.
class WebMenuItem : public MenuItem
{
public:
    explicit WebMenuItem(const QString &id);
    bool isChecked() const override;
    void setChecked(bool checked) override;
    void setEnabled(bool enabled) override;

private:
    emscripten::val m_element;
};

} // namespace calcaro::web
