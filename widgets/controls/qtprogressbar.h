#pragma once

#include "progressbar.h"

class QProgressBar;

namespace calcaro {

// Keeps the game's value itself, so it reads back exactly as set, and draws it on a
// QProgressBar with a fine integer range.
class QtProgressBar : public ProgressBar
{
public:
    static constexpr int resolution = 10000; // steps from 0 to 100

    explicit QtProgressBar(QProgressBar &bar);

    float value() const override { return m_value; }
    void setValue(float value) override;
    void setVisible(bool visible) override;

private:
    QProgressBar &m_bar;
    float m_value = 0;
};

} // namespace calcaro
