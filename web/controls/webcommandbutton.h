#pragma once

#include "commandbutton.h"
#include "webcontrol.h"

namespace calcaro::web {

// A button of the page. A press reaches the game only while the button shows and is enabled,
// as a desktop button takes no click otherwise.
class WebCommandButton : public WebControl<CommandButton>
{
public:
    using WebControl::WebControl;
    void setVisible(bool visible) override { setShown(visible); }
    void setEnabled(bool enabled) override;
};

} // namespace calcaro::web
