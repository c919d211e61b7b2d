#pragma once

#include "commandbutton.h"
#include "formwindow.h"
#include "label.h"
#include "menuitem.h"
#include "progressbar.h"
#include "textbox.h"
#include "timer.h"

#include <memory>

namespace calcaro {

// The main window's controls, by their names; the game reaches the screen only through these.
struct Form1Controls
{
    Label &Label1;           // dividend
    Label &Label2;           // ":"
    Label &Label3;           // divisor
    Label &Label4;           // "="
    Label &Label5;           // "Score ="
    Label &Label6;           // running score
    Label &Label7;           // prompt, feedback, score text
    Label &Label8;           // "et il reste"
    TextBox &Text1;          // the answer
    TextBox &Text2;          // the remainder
    CommandButton &Command1; // "&Démarrer"
    CommandButton &Command2; // "&Quitter"
    CommandButton &Command3; // "&Valider"
    CommandButton &Command4; // "&Recommencer"
    Timer &Timer1;           // answer countdown (the intervals: wiring::ticks)
    Timer &Timer2;           // feedback pause
    Timer &Timer3;           // score pause
    ProgressBar &ProgressBar1;
    MenuItem &mnuNiveau1;
    MenuItem &mnuNiveau2;
    MenuItem &mnuNiveau3;
    MenuItem &mnuLent;
    MenuItem &mnuMoyen;
    MenuItem &mnuRapide;
    FormWindow &window;
};

namespace detail {
template <typename T> T &control(T &c)
{
    return c;
}
template <typename T> T &control(std::unique_ptr<T> &c)
{
    return *c;
}
} // namespace detail

// The controls of a window that holds them under the same names (owned or not), so that each
// front end names them once.
template <typename Controls> Form1Controls form1ControlsOf(Controls &c, FormWindow &window)
{
    using detail::control;
    return Form1Controls{
        .Label1 = control(c.Label1),
        .Label2 = control(c.Label2),
        .Label3 = control(c.Label3),
        .Label4 = control(c.Label4),
        .Label5 = control(c.Label5),
        .Label6 = control(c.Label6),
        .Label7 = control(c.Label7),
        .Label8 = control(c.Label8),
        .Text1 = control(c.Text1),
        .Text2 = control(c.Text2),
        .Command1 = control(c.Command1),
        .Command2 = control(c.Command2),
        .Command3 = control(c.Command3),
        .Command4 = control(c.Command4),
        .Timer1 = control(c.Timer1),
        .Timer2 = control(c.Timer2),
        .Timer3 = control(c.Timer3),
        .ProgressBar1 = control(c.ProgressBar1),
        .mnuNiveau1 = control(c.mnuNiveau1),
        .mnuNiveau2 = control(c.mnuNiveau2),
        .mnuNiveau3 = control(c.mnuNiveau3),
        .mnuLent = control(c.mnuLent),
        .mnuMoyen = control(c.mnuMoyen),
        .mnuRapide = control(c.mnuRapide),
        .window = window,
    };
}

} // namespace calcaro
