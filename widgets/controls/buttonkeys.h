#pragma once

#include <QObject>

class QPushButton;
class QWidget;

namespace calcaro {

// Enter on a focused command button presses it (Qt buttons outside dialogs ignore Enter).
// With a default button, Enter anywhere else in the window presses that button when it is
// visible and enabled, and does nothing otherwise. The repeats of a held Enter or Space press
// nothing: only a new press does.
class ButtonKeys : public QObject
{
public:
    // Watches every button and text box of the window; owned by the window.
    static void install(QWidget &window, QPushButton *defaultButton = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ButtonKeys(QWidget &window, QPushButton *defaultButton);
    QPushButton *m_default;
};

} // namespace calcaro
