#pragma once

#include <QString>

namespace calcaro {

// A label of the main window as the game sees it.
class Label
{
public:
    virtual ~Label() = default;
    virtual void setCaption(const QString &caption) = 0;
    virtual void setVisible(bool visible) = 0;
};

} // namespace calcaro
