#pragma once

#include "commandbutton.h"
#include "label.h"
#include "menuitem.h"
#include "progressbar.h"
#include "textbox.h"

#include <QStringList>

namespace calcaro::test {

// Plain stand-ins that remember what the game did to them and, when given a log, the order in
// which it did it ("Command4.visible=1", "Label7.caption=…").
struct Recorded
{
    QString name;
    QStringList *log = nullptr;
    void record(const QString &change) const
    {
        if (log)
            log->append(name + QLatin1Char('.') + change);
    }
    static QString flag(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }
};

struct FakeLabel : Label, Recorded
{
    QString caption;
    bool visible = true;
    void setCaption(const QString &text) override
    {
        caption = text;
        record(QStringLiteral("caption=") + text);
    }
    void setVisible(bool v) override
    {
        visible = v;
        record(QStringLiteral("visible=") + flag(v));
    }
};

struct FakeTextBox : TextBox, Recorded
{
    QString value;
    bool visible = true;
    bool centred = false;
    int focusRequests = 0;
    QString text() const override { return value; }
    void setText(const QString &text) override
    {
        value = text;
        record(QStringLiteral("text=") + text);
    }
    bool isVisible() const override { return visible; }
    void setVisible(bool v) override
    {
        visible = v;
        record(QStringLiteral("visible=") + flag(v));
    }
    void setCentred() override
    {
        centred = true;
        record(QStringLiteral("centred"));
    }
    void setFocus() override
    {
        ++focusRequests;
        record(QStringLiteral("focus"));
    }
};

struct FakeButton : CommandButton, Recorded
{
    bool visible = true;
    bool enabled = true;
    void setVisible(bool v) override
    {
        visible = v;
        record(QStringLiteral("visible=") + flag(v));
    }
    void setEnabled(bool e) override
    {
        enabled = e;
        record(QStringLiteral("enabled=") + flag(e));
    }
};

struct FakeMenuItem : MenuItem, Recorded
{
    bool checked = false;
    bool enabled = true;
    bool isChecked() const override { return checked; }
    void setChecked(bool c) override
    {
        checked = c;
        record(QStringLiteral("checked=") + flag(c));
    }
    void setEnabled(bool e) override
    {
        enabled = e;
        record(QStringLiteral("enabled=") + flag(e));
    }
};

struct FakeProgressBar : ProgressBar, Recorded
{
    float current = 0;
    bool visible = true;
    float value() const override { return current; }
    void setValue(float v) override
    {
        current = v;
        record(QStringLiteral("value=") + QString::number(double(v)));
    }
    void setVisible(bool v) override
    {
        visible = v;
        record(QStringLiteral("visible=") + flag(v));
    }
};

} // namespace calcaro::test
