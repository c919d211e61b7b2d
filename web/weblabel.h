#pragma once

#include "label.h"

#include <QString>

#include <emscripten/val.h>

namespace calcaro::web {

// A label of the page: its text and whether it shows.
class WebLabel : public Label
{
public:
    explicit WebLabel(const QString &id);
    void setCaption(const QString &caption) override;
    void setVisible(bool visible) override;

private:
    emscripten::val m_element;
};

} // namespace calcaro::web
