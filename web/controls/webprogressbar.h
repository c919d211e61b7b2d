#pragma once

#include "progressbar.h"
#include "webcontrol.h"

namespace calcaro::web {

// The time bar: the page draws --value (0 to 100); the game reads back the exact value it set.
class WebProgressBar : public WebControl<ProgressBar>
{
public:
    using WebControl::WebControl;
    float value() const override { return m_value; }
    void setValue(float value) override;
    void setVisible(bool visible) override { setShown(visible); }

private:
    float m_value = 0;
};

} // namespace calcaro::web
