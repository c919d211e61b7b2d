#pragma once

#include "label.h"

#include <functional>

class QLabel;

namespace calcaro {

// A game label over a QLabel. With autoSize the label's width follows its caption and its left
// edge stays where it is.
class QtLabel : public Label
{
public:
    enum class Sizing { Fixed, AutoSize };
    explicit QtLabel(QLabel &label, Sizing sizing = Sizing::Fixed);

    void setCaption(const QString &caption) override;
    void setVisible(bool visible) override;
    // Called after every change of the caption.
    void onChange(std::function<void()> listener) { m_changed = std::move(listener); }

private:
    QLabel &m_label;
    Sizing m_sizing;
    std::function<void()> m_changed;
};

} // namespace calcaro
