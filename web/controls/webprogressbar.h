#pragma once

#include "progressbar.h"

#include <QString>

#include <emscripten/val.h>

namespace calcaro::web {

// The time bar: the page draws --value (0 to 100); the game reads back the exact value it set.
class WebProgressBar : public ProgressBar
{
public:
    explicit WebProgressBar(const QString &id);
    float value() const override { return m_value; }
    void setValue(float value) override;
    void setVisible(bool visible) override;

private:
    emscripten::val m_element;
    float m_value = 0;
};

} // namespace calcaro::web
