#pragma once

#include "label.h"
#include "webcontrol.h"

#include <QString>

#include <functional>

namespace calcaro::web {

// A label of the page: its text and whether it shows.
class WebLabel : public WebControl<Label>
{
public:
    using WebControl::WebControl;
    void setCaption(const QString &caption) override;
    void setVisible(bool visible) override { setShown(visible); }

    QString caption() const;
    // Called after the text has changed; the game writes the same text again on every tick.
    void onChange(std::function<void()> changed) { m_changed = std::move(changed); }

private:
    std::function<void()> m_changed;
};

} // namespace calcaro::web
