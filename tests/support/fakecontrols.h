#pragma once

#include "commandbutton.h"
#include "label.h"
#include "menuitem.h"
#include "progressbar.h"
#include "textbox.h"

namespace calcaro::test {

// Plain stand-ins that only remember what the game did to them.

struct FakeLabel : Label
{
    QString caption;
    bool visible = true;
    void setCaption(const QString &text) override { caption = text; }
    void setVisible(bool v) override { visible = v; }
};

struct FakeTextBox : TextBox
{
    QString value;
    bool visible = true;
    bool centred = false;
    int focusRequests = 0;
    QString text() const override { return value; }
    void setText(const QString &text) override { value = text; }
    bool isVisible() const override { return visible; }
    void setVisible(bool v) override { visible = v; }
    void setCentred() override { centred = true; }
    void setFocus() override { ++focusRequests; }
};

struct FakeButton : CommandButton
{
    bool visible = true;
    bool enabled = true;
    void setVisible(bool v) override { visible = v; }
    void setEnabled(bool e) override { enabled = e; }
};

struct FakeMenuItem : MenuItem
{
    bool checked = false;
    bool enabled = true;
    bool isChecked() const override { return checked; }
    void setChecked(bool c) override { checked = c; }
    void setEnabled(bool e) override { enabled = e; }
};

struct FakeProgressBar : ProgressBar
{
    float current = 0;
    bool visible = true;
    float value() const override { return current; }
    void setValue(float v) override { current = v; }
    void setVisible(bool v) override { visible = v; }
};

} // namespace calcaro::test
