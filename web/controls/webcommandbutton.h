#pragma once

#include "commandbutton.h"

#include <QString>

#include <emscripten/val.h>

namespace calcaro::web {

// A button of the page. A press reaches the game only while the button shows and is enabled,
// as a desktop button takes no click otherwise.
class WebCommandButton : public CommandButton
{
public:
    explicit WebCommandButton(const QString &id);
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;

private:
    emscripten::val m_element;
};

} // namespace calcaro::web
