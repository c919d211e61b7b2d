#include "form1.h"

#include "buttonkeys.h"
#include "centring.h"
#include "controlfactory.h"
#include "fixedwindow.h"
#include "fonts.h"
#include "form1controls.h"
#include "gatedtimer.h"
#include "module1.h"
#include "program.h"
#include "qtcommandbutton.h"
#include "qtformwindow.h"
#include "qtlabel.h"
#include "qtmenuitem.h"
#include "qtprogressbar.h"
#include "qttextbox.h"
#include "questionspeech.h"
#include "quizengine.h"
#include "twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

namespace calcaro {

// The widgets are owned by the window; these are the game's views of them.
struct form1::Parts
{
    QLabel *label[9] = {}; // Label1..Label8 at their numbers
    QLineEdit *text1 = nullptr;
    QLineEdit *text2 = nullptr;
    QPushButton *command[5] = {}; // Command1..Command4 at their numbers
    QProgressBar *progressBar1 = nullptr;
    QAction *mnuNiveau1 = nullptr, *mnuNiveau2 = nullptr, *mnuNiveau3 = nullptr;
    QAction *mnuLent = nullptr, *mnuMoyen = nullptr, *mnuRapide = nullptr;

    std::unique_ptr<QtLabel> Label[9];
    std::unique_ptr<QtTextBox> Text1, Text2;
    std::unique_ptr<QtCommandButton> Command[5];
    std::unique_ptr<QtProgressBar> ProgressBar1;
    std::unique_ptr<QtMenuItem> mnu[6];
    std::unique_ptr<QtFormWindow> window;
    std::unique_ptr<GatedTimer> Timer1, Timer2, Timer3;
    std::unique_ptr<Form1Controls> controls;
    std::unique_ptr<QuizEngine> engine;
};

namespace {

const QColor background(255, 255, 192);
const QColor scoreBlue(0, 0, 255);
const QColor answerRed(192, 0, 0);

QLineEdit *makeTextBox(QWidget &parent, const QString &name, QRect place, const QColor &colour)
{
    auto *edit = new QLineEdit(&parent);
    edit->setObjectName(name);
    edit->setGeometry(place);
    edit->setFont(gameFont(24, Weight::Bold));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, colour);
    edit->setPalette(palette);
    return edit;
}

void setTextColour(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

} // namespace

form1::form1(Module1 &state, RandomSource &random, const TimerFactory &timers)
    : m_parts(std::make_unique<Parts>()), m_state(state)
{
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QStringLiteral("Calcaro CM1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    buildLayout();
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    keepFixedSize(*this);

    Parts &p = *m_parts;
    p.Label[1] = std::make_unique<QtLabel>(*p.label[1], QtLabel::Sizing::AutoSize);
    for (int i = 2; i <= 8; ++i)
        p.Label[i] = std::make_unique<QtLabel>(*p.label[i]);
    // The prompts and the feedback are read out as they change.
    p.Label[7] =
        std::make_unique<QtLabel>(*p.label[7], QtLabel::Sizing::Fixed, QtLabel::Announce::Yes);
    p.Text1 = std::make_unique<QtTextBox>(*p.text1);
    p.Text2 = std::make_unique<QtTextBox>(*p.text2);
    auto *speech = new QuestionSpeech(
        {*p.label[1], *p.label[3], *p.label[6], *p.label[7], *p.text2, *p.text1});
    for (QtLabel *spoken : {p.Label[1].get(), p.Label[3].get(), p.Label[6].get(), p.Label[7].get()})
        spoken->onChange([speech] { speech->update(); });
    p.Text2->onChange([speech] { speech->update(); });
    for (int i = 1; i <= 4; ++i)
        p.Command[i] = std::make_unique<QtCommandButton>(*p.command[i]);
    p.ProgressBar1 = std::make_unique<QtProgressBar>(*p.progressBar1);
    QAction *items[6] = {p.mnuNiveau1, p.mnuNiveau2, p.mnuNiveau3,
                         p.mnuLent,    p.mnuMoyen,   p.mnuRapide};
    for (int i = 0; i < 6; ++i)
        p.mnu[i] = std::make_unique<QtMenuItem>(*items[i]);
    p.window =
        std::make_unique<QtFormWindow>(*this, [] { Program::instance().showSeriesEndDialog(); });
    auto makeTimer = [&](const char *name, int intervalMs, void (QuizEngine::*tick)()) {
        return std::make_unique<GatedTimer>(
            timers(*this, QString::fromLatin1(name), intervalMs,
                   [this, tick] { handle([this, tick] { (engine().*tick)(); }); }));
    };
    p.Timer1 = makeTimer("Timer1", 50, &QuizEngine::Timer1_Timer);
    p.Timer2 = makeTimer("Timer2", 100, &QuizEngine::Timer2_Timer);
    p.Timer3 = makeTimer("Timer3", 100, &QuizEngine::Timer3_Timer);
    p.controls = std::make_unique<Form1Controls>(
        Form1Controls{*p.Label[1],   *p.Label[2],   *p.Label[3],     *p.Label[4],   *p.Label[5],
                      *p.Label[6],   *p.Label[7],   *p.Label[8],     *p.Text1,      *p.Text2,
                      *p.Command[1], *p.Command[2], *p.Command[3],   *p.Command[4], *p.Timer1,
                      *p.Timer2,     *p.Timer3,     *p.ProgressBar1, *p.mnu[0],     *p.mnu[1],
                      *p.mnu[2],     *p.mnu[3],     *p.mnu[4],       *p.mnu[5],     *p.window});
    p.engine = std::make_unique<QuizEngine>(state, *p.controls, random);

    // Clicks and menu choices go to the game's procedures of the same names.
    auto forward = [this](auto *sender, auto signal, void (QuizEngine::*procedure)()) {
        connect(sender, signal, this,
                [this, procedure] { handle([this, procedure] { (engine().*procedure)(); }); });
    };
    forward(p.command[1], &QPushButton::clicked, &QuizEngine::Command1_Click);
    forward(p.command[3], &QPushButton::clicked, &QuizEngine::Command3_Click);
    forward(p.command[4], &QPushButton::clicked, &QuizEngine::Command4_Click);
    forward(p.mnuNiveau1, &QAction::triggered, &QuizEngine::mnuNiveau1_Click);
    forward(p.mnuNiveau2, &QAction::triggered, &QuizEngine::mnuNiveau2_Click);
    forward(p.mnuNiveau3, &QAction::triggered, &QuizEngine::mnuNiveau3_Click);
    forward(p.mnuLent, &QAction::triggered, &QuizEngine::mnuLent_Click);
    forward(p.mnuMoyen, &QAction::triggered, &QuizEngine::mnuMoyen_Click);
    forward(p.mnuRapide, &QAction::triggered, &QuizEngine::mnuRapide_Click);
    connect(p.command[2], &QPushButton::clicked, this,
            [this] { handle([this] { Command2_Click(); }); });
    ButtonKeys::install(*this, p.command[3]);

    Form_Load();
}

form1::~form1() = default;

void form1::buildLayout()
{
    Parts &p = *m_parts;
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(pixels(8805), pixels(6255));
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, background);
    client->setPalette(palette);
    setCentralWidget(client);

    const Qt::Alignment centre = Qt::AlignHCenter;
    const QFont figures = gameFont(24, Weight::Bold);
    p.label[5] = makeLabel(*client, QStringLiteral("Label5"), QStringLiteral("Score ="),
                           twipsRect(4080, 240, 2295, 615),
                           gameFont(24, Weight::Bold, Slant::Italic), Qt::AlignRight);
    // Wider than the figures need at first, so that a score up to "999 / 999" still fits.
    p.label[6] = makeLabel(*client, QStringLiteral("Label6"), QString(),
                           twipsRect(6600, 240, 2085, 735), gameFont(24), Qt::AlignLeft);
    setTextColour(*p.label[6], scoreBlue);
    p.label[1] = makeLabel(*client, QStringLiteral("Label1"), QString(),
                           twipsRect(1380, 2280, 195, 555), figures, centre);
    p.label[2] = makeLabel(*client, QStringLiteral("Label2"), QStringLiteral(":"),
                           twipsRect(2280, 2280, 800, 700), figures, centre);
    p.label[3] = makeLabel(*client, QStringLiteral("Label3"), QString(),
                           twipsRect(3360, 2280, 800, 705), figures, centre);
    p.label[4] = makeLabel(*client, QStringLiteral("Label4"), QStringLiteral("="),
                           twipsRect(4320, 2280, 795, 705), figures, centre);
    p.text1 =
        makeTextBox(*client, QStringLiteral("Text1"), twipsRect(5400, 2280, 800, 700), answerRed);
    // Widened up to the remainder box so that "et il reste" is never cut.
    p.label[8] = makeLabel(*client, QStringLiteral("Label8"), QStringLiteral("Label8"),
                           twipsRect(6480, 2400, 1155, 495), gameFont(12), Qt::AlignLeft);
    p.text2 =
        makeTextBox(*client, QStringLiteral("Text2"), twipsRect(7680, 2280, 800, 700), Qt::black);
    p.text2->setAlignment(Qt::AlignCenter);
    p.text2->setReadOnly(true); // it only shows the remainder
    p.progressBar1 = new QProgressBar(client);
    p.progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    p.progressBar1->setGeometry(twipsRect(840, 3240, 6615, 255));
    p.progressBar1->setTextVisible(false);
    p.label[7] = makeLabel(*client, QStringLiteral("Label7"), QString(),
                           twipsRect(600, 3960, 7215, 495), gameFont(18), centre);

    const QFont buttons = gameFont(9.75);
    p.command[1] = makeButton(*client, QStringLiteral("Command1"), QStringLiteral("&Démarrer"),
                              twipsRect(1440, 5040, 1575, 615), buttons);
    p.command[4] = makeButton(*client, QStringLiteral("Command4"), QStringLiteral("&Recommencer"),
                              twipsRect(1440, 5040, 1575, 615), buttons);
    p.command[4]->setEnabled(false);
    p.command[4]->setVisible(false);
    p.command[2] = makeButton(*client, QStringLiteral("Command2"), QStringLiteral("&Quitter"),
                              twipsRect(3480, 5040, 1575, 615), buttons);
    p.command[3] = makeButton(*client, QStringLiteral("Command3"), QStringLiteral("&Valider"),
                              twipsRect(5520, 5040, 1575, 615), buttons);

    // What a screen reader says of the controls whose text alone would not tell.
    // (The figures and the score are spoken with their values: QuestionSpeech.)
    p.label[5]->setAccessibleName(QStringLiteral("Score"));
    p.text1->setAccessibleName(QStringLiteral("Ta réponse"));
    p.text2->setAccessibleName(QStringLiteral("Le reste"));
    p.progressBar1->setAccessibleName(QStringLiteral("Temps écoulé"));

    // The keyboard visits the controls in the window's tab order.
    QWidget *order[] = {p.command[1], p.text1, p.command[2], p.command[3], p.text2, p.command[4]};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void form1::buildMenus()
{
    Parts &p = *m_parts;
    auto addItem = [this](QMenu *menu, const char *name, const QString &caption, bool checked) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setChecked(checked);
        return action;
    };
    QMenu *niveau = menuBar()->addMenu(QStringLiteral("Niveau"));
    niveau->setObjectName(QStringLiteral("mnuNiveau"));
    p.mnuNiveau1 = addItem(niveau, "mnuNiveau1", QStringLiteral("Niveau 1"), true);
    p.mnuNiveau2 = addItem(niveau, "mnuNiveau2", QStringLiteral("Niveau 2"), false);
    p.mnuNiveau3 = addItem(niveau, "mnuNiveau3", QStringLiteral("Niveau 3"), false);
    // The menu titles carry no access key, so F10 opens the menu bar from the keyboard, as on
    // most desktops.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this,
            [this, niveau] { menuBar()->setActiveAction(niveau->menuAction()); });
    QMenu *vitesse = menuBar()->addMenu(QStringLiteral("Vitesse"));
    vitesse->setObjectName(QStringLiteral("mnuVitesse"));
    p.mnuLent = addItem(vitesse, "mnuLent", QStringLiteral("Lent"), true);
    p.mnuMoyen = addItem(vitesse, "mnuMoyen", QStringLiteral("Moyen"), false);
    p.mnuRapide = addItem(vitesse, "mnuRapide", QStringLiteral("Rapide"), false);
}

QuizEngine &form1::engine()
{
    return *m_parts->engine;
}

void form1::depart0()
{
    handle([this] { engine().depart0(); });
}

void form1::init()
{
    handle([this] { engine().init(); });
}

const Form1Controls &form1::controls() const
{
    return *m_parts->controls;
}

void form1::focusAnswerBox()
{
    m_parts->Text1->setFocus();
}

void form1::stopTimers()
{
    m_parts->Timer1->shut();
    m_parts->Timer2->shut();
    m_parts->Timer3->shut();
}

void form1::unload()
{
    stopTimers();
    hide();
    m_unloaded = true;
    if (m_handlersRunning == 0)
        deleteLater();
}

template <typename Handler> void form1::handle(Handler &&handler)
{
    if (Program::instance().hasEnded())
        return;
    struct Running
    {
        form1 &window;
        explicit Running(form1 &w) : window(w) { ++window.m_handlersRunning; }
        ~Running()
        {
            if (--window.m_handlersRunning == 0 && window.m_unloaded)
                window.deleteLater();
        }
    } running(*this);
    handler();
}

void form1::Form_Load()
{
    adjustSize();
    centreOnScreen(*this);
    m_parts->Label[8]->setVisible(false);
    m_parts->Text2->setVisible(false);
    engine().init();
    m_parts->command[1]->setFocus(); // the first control in tab order that takes the focus
}

void form1::Command2_Click()
{
    hide(); // the game goes on out of sight
    m_state.page = QStringLiteral("page1");
    Program::instance().showQuitConfirmation();
    QCoreApplication::processEvents();
}

void form1::Form_QueryUnload()
{
    m_state.page = QStringLiteral("page1");
    Program::instance().showQuitConfirmation();
    QCoreApplication::processEvents();
}

void form1::closeEvent(QCloseEvent *event)
{
    // Closing is never refused: the confirmation comes up and this window goes, timers and all.
    event->accept();
    handle([this] {
        Form_QueryUnload();
        Program::instance().unloadMainWindow(*this);
    });
}

} // namespace calcaro
