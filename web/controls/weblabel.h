#pragma once

#include "label.h"

#include <QString>

#include <emscripten/val.h>

#include <functional>

namespace calcaro::web {

// A label of the page: its text and whether it shows.
class WebLabel : public Label
{
public:
    explicit WebLabel(const QString &id);
    void setCaption(const QString &caption) override;
    void setVisible(bool visible) override;

    QString caption() const;
    bool isVisible() const;
    // Called after the text has changed; the game writes the same text again on every tick.
    void onChange(std::function<void()> changed) { m_changed = std::move(changed); }

private:
    emscripten::val m_element;
    std::function<void()> m_changed;
};

} // namespace calcaro::web
