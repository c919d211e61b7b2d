#pragma once

#include "menuitem.h"
#include "webcontrol.h"

namespace calcaro::web {

// A menu item of the page (role menuitemradio): its check mark is aria-checked.
class WebMenuItem : public WebControl<MenuItem>
{
public:
    using WebControl::WebControl;
    bool isChecked() const override;
    void setChecked(bool checked) override;
    void setEnabled(bool enabled) override;
};

} // namespace calcaro::web
