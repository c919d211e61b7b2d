#pragma once

#include "element.h"

#include <QString>

#include <emscripten/val.h>

namespace calcaro::web {

// A control of the page: the page's element of the same id, which it writes to, shown and hidden
// the way setHidden() says.
template <typename Control> class WebControl : public Control
{
public:
    explicit WebControl(const QString &id) : m_element(element(id)) {}

protected:
    void setShown(bool shown) { setHidden(m_element, !shown); }
    bool isShown() const { return !isHidden(m_element); }

    emscripten::val m_element;
};

} // namespace calcaro::web
