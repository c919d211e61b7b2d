#pragma once

#include "label.h"

class QLabel;

namespace calcaro {

// A game label over a QLabel. With autoSize the label's width follows its caption and its left
// edge stays where it is.
class QtLabel : public Label
{
public:
    enum class Sizing { Fixed, AutoSize };
    // An announced label tells assistive technology of every new caption.
    enum class Announce { No, Yes };
    explicit QtLabel(QLabel &label, Sizing sizing = Sizing::Fixed,
                     Announce announce = Announce::No);

    void setCaption(const QString &caption) override;
    void setVisible(bool visible) override;

private:
    QLabel &m_label;
    Sizing m_sizing;
    Announce m_announce;
};

} // namespace calcaro
