#pragma once

#include "controls/webcommandbutton.h"
#include "controls/weblabel.h"
#include "controls/webmenuitem.h"
#include "controls/webprogressbar.h"
#include "controls/webtextbox.h"
#include "controls/webtimer.h"
#include "form1controls.h"
#include "mainformwindow.h"
#include "quizengine.h"
#include "webspeech.h"

#include <QString>

namespace calcaro {
class GameWindows;
class Module1;
class RandomSource;
class ResultListener;
class WindowSystem;
} // namespace calcaro

namespace calcaro::web {

// The main window drawn by the page: its controls under their names, its three timers and its
// game. Creating it puts the page's window back as its layout has it and runs its load
// behaviour.
class WebMainWindow
{
public:
    WebMainWindow(Module1 &state, RandomSource &random, ResultListener &results,
                  GameWindows &windows, WindowSystem &system);

    QuizEngine &engine() { return m_engine; }
    // A press on a button or a menu item of this window, as the game receives it; false when
    // the name is none of them.
    bool press(const QString &name, GameWindows &windows);
    WebSpeech &speech() { return m_speech; }

private:
    template <typename Controls>
    friend Form1Controls calcaro::form1ControlsOf(Controls &, FormWindow &);
    void Form_Load();

    WebLabel Label1{QStringLiteral("Label1")}, Label2{QStringLiteral("Label2")},
        Label3{QStringLiteral("Label3")}, Label4{QStringLiteral("Label4")},
        Label5{QStringLiteral("Label5")}, Label6{QStringLiteral("Label6")},
        Label7{QStringLiteral("Label7")}, Label8{QStringLiteral("Label8")};
    WebTextBox Text1{QStringLiteral("Text1")}, Text2{QStringLiteral("Text2")};
    WebCommandButton Command1{QStringLiteral("Command1")}, Command2{QStringLiteral("Command2")},
        Command3{QStringLiteral("Command3")}, Command4{QStringLiteral("Command4")};
    WebProgressBar ProgressBar1{QStringLiteral("ProgressBar1")};
    WebMenuItem mnuNiveau1{QStringLiteral("mnuNiveau1")}, mnuNiveau2{QStringLiteral("mnuNiveau2")},
        mnuNiveau3{QStringLiteral("mnuNiveau3")}, mnuLent{QStringLiteral("mnuLent")},
        mnuMoyen{QStringLiteral("mnuMoyen")}, mnuRapide{QStringLiteral("mnuRapide")};
    WebTimer Timer1, Timer2, Timer3;
    WebSpeech m_speech;
    MainFormWindow m_window;
    Form1Controls m_controls;
    QuizEngine m_engine;
};

} // namespace calcaro::web
