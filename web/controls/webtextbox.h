#pragma once

#include "textbox.h"

#include <QString>

#include <emscripten/val.h>

namespace calcaro::web {

// A one-line text box of the page (an <input>): what the child typed is read from it.
class WebTextBox : public TextBox
{
public:
    explicit WebTextBox(const QString &id);
    QString text() const override;
    void setText(const QString &text) override;
    bool isVisible() const override;
    void setVisible(bool visible) override;
    void setCentred() override;
    void setFocus() override;

private:
    emscripten::val m_element;
};

} // namespace calcaro::web
