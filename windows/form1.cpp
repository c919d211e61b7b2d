#include "form1.h"

#include "buttonkeys.h"
#include "centring.h"
#include "controlfactory.h"
#include "fonts.h"
#include "form1controls.h"
#include "module1.h"
#include "program.h"
#include "qtcommandbutton.h"
#include "qtformwindow.h"
#include "qtlabel.h"
#include "qtmenuitem.h"
#include "qtprogressbar.h"
#include "qttextbox.h"
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
    std::unique_ptr<Timer> Timer1, Timer2, Timer3;
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

    Parts &p = *m_parts;
    p.Label[1] = std::make_unique<QtLabel>(*p.label[1], QtLabel::Sizing::AutoSize);
    for (int i = 2; i <= 8; ++i)
        p.Label[i] = std::make_unique<QtLabel>(*p.label[i]);
    p.Text1 = std::make_unique<QtTextBox>(*p.text1);
    p.Text2 = std::make_unique<QtTextBox>(*p.text2);
    for (int i = 1; i <= 4; ++i)
        p.Command[i] = std::make_unique<QtCommandButton>(*p.command[i]);
    p.ProgressBar1 = std::make_unique<QtProgressBar>(*p.progressBar1);
    QAction *items[6] = {p.mnuNiveau1, p.mnuNiveau2, p.mnuNiveau3,
                         p.mnuLent,    p.mnuMoyen,   p.mnuRapide};
    for (int i = 0; i < 6; ++i)
        p.mnu[i] = std::make_unique<QtMenuItem>(*items[i]);
    p.window =
        std::make_unique<QtFormWindow>(*this, [] { Program::instance().showSeriesEndDialog(); });
    p.Timer1 = timers(*this, QStringLiteral("Timer1"), 50, [this] { engine().Timer1_Timer(); });
    p.Timer2 = timers(*this, QStringLiteral("Timer2"), 100, [this] { engine().Timer2_Timer(); });
    p.Timer3 = timers(*this, QStringLiteral("Timer3"), 100, [this] { engine().Timer3_Timer(); });
    p.controls = std::make_unique<Form1Controls>(
        Form1Controls{*p.Label[1],   *p.Label[2],   *p.Label[3],     *p.Label[4],   *p.Label[5],
                      *p.Label[6],   *p.Label[7],   *p.Label[8],     *p.Text1,      *p.Text2,
                      *p.Command[1], *p.Command[2], *p.Command[3],   *p.Command[4], *p.Timer1,
                      *p.Timer2,     *p.Timer3,     *p.ProgressBar1, *p.mnu[0],     *p.mnu[1],
                      *p.mnu[2],     *p.mnu[3],     *p.mnu[4],       *p.mnu[5],     *p.window});
    p.engine = std::make_unique<QuizEngine>(state, *p.controls, random);

    QuizEngine *game = p.engine.get();
    connect(p.command[1], &QPushButton::clicked, this, [game] { game->Command1_Click(); });
    connect(p.command[2], &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(p.command[3], &QPushButton::clicked, this, [game] { game->Command3_Click(); });
    connect(p.command[4], &QPushButton::clicked, this, [game] { game->Command4_Click(); });
    connect(p.mnuNiveau1, &QAction::triggered, this, [game] { game->mnuNiveau1_Click(); });
    connect(p.mnuNiveau2, &QAction::triggered, this, [game] { game->mnuNiveau2_Click(); });
    connect(p.mnuNiveau3, &QAction::triggered, this, [game] { game->mnuNiveau3_Click(); });
    connect(p.mnuLent, &QAction::triggered, this, [game] { game->mnuLent_Click(); });
    connect(p.mnuMoyen, &QAction::triggered, this, [game] { game->mnuMoyen_Click(); });
    connect(p.mnuRapide, &QAction::triggered, this, [game] { game->mnuRapide_Click(); });
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
    m_parts->Timer1->setEnabled(false);
    m_parts->Timer2->setEnabled(false);
    m_parts->Timer3->setEnabled(false);
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
    Form_QueryUnload();
    event->accept();
    Program::instance().unloadMainWindow();
}

} // namespace calcaro
