#pragma once

#include "textbox.h"
#include "webcontrol.h"

#include <QString>

namespace calcaro::web {

// A one-line text box of the page (an <input>): what the child typed is read from it.
class WebTextBox : public WebControl<TextBox>
{
public:
    using WebControl::WebControl;
    QString text() const override;
    void setText(const QString &text) override;
    bool isVisible() const override { return isShown(); }
    void setVisible(bool visible) override { setShown(visible); }
    void setCentred() override;
    void setFocus() override;
};

} // namespace calcaro::web
