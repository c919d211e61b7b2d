#pragma once

#include "commandbutton.h"
#include "formwindow.h"
#include "label.h"
#include "menuitem.h"
#include "progressbar.h"
#include "textbox.h"
#include "timer.h"

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
    Timer &Timer1;           // answer countdown, 50 ms
    Timer &Timer2;           // feedback pause, 100 ms
    Timer &Timer3;           // score pause, 100 ms
    ProgressBar &ProgressBar1;
    MenuItem &mnuNiveau1;
    MenuItem &mnuNiveau2;
    MenuItem &mnuNiveau3;
    MenuItem &mnuLent;
    MenuItem &mnuMoyen;
    MenuItem &mnuRapide;
    FormWindow &window;
};

} // namespace calcaro
