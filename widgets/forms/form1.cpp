#include "forms/form1.h"

#include "controls/buttonkeys.h"
#include "controls/controlfactory.h"
#include "controls/qtcommandbutton.h"
#include "controls/qtlabel.h"
#include "controls/qtmenuitem.h"
#include "controls/qtprogressbar.h"
#include "controls/qttextbox.h"
#include "desktop/centring.h"
#include "desktop/fixedwindow.h"
#include "fonts.h"
#include "form1controls.h"
#include "mainformwindow.h"
#include "module1.h"
#include "program.h"
#include "quizengine.h"
#include "screenreader/accessibility.h"
#include "screenreader/altreplayguard.h"
#include "screenreader/announcer.h"
#include "screenreader/questionspeech.h"
#include "texts.h"
#include "twips.h"
#include "windowwiring.h"

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

// The window's widgets by the names the game gives them; the window owns them.
struct form1::Widgets
{
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
    QLineEdit *Text1, *Text2;
    QPushButton *Command1, *Command2, *Command3, *Command4;
    QProgressBar *ProgressBar1;
    QAction *mnuNiveau1, *mnuNiveau2, *mnuNiveau3, *mnuLent, *mnuMoyen, *mnuRapide;
};

// The game's view of each widget, under the same names, and the three timers.
struct form1::Adapters
{
    QtLabel Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8;
    QtTextBox Text1, Text2;
    QtCommandButton Command1, Command2, Command3, Command4;
    QtProgressBar ProgressBar1;
    QtMenuItem mnuNiveau1, mnuNiveau2, mnuNiveau3, mnuLent, mnuMoyen, mnuRapide;
    MainFormWindow window;
    std::unique_ptr<Timer> Timer1, Timer2, Timer3;
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

// The layout's colours (blue score, dark red answer, black remainder) were chosen for a light
// palette on the light yellow ground. Everything on that ground keeps that palette, whatever the
// desktop's: a dark desktop's light text would be unreadable on it. Every role of every group is
// set, so that nothing comes from the desktop's palette.
QPalette designedPalette()
{
    // Qt's Fusion colours on a light desktop (its own palette follows a dark desktop).
    const QColor button(239, 239, 239);
    const QPalette light(Qt::black, button, button.lighter(150), button.darker(150),
                         button.darker(130), Qt::black, Qt::white, Qt::white, background);
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            palette.setColor(g, r, light.color(g, r));
        }
    }
    const QColor disabledText(120, 120, 120);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

void setTextColour(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

} // namespace

form1::form1(Module1 &state, RandomSource &random, const TimerFactory &timers)
    : m_widgets(std::make_unique<Widgets>()), m_state(state)
{
    setObjectName(QLatin1String(wiring::nameOf(WindowId::Main)));
    setWindowTitle(texts::title);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    buildLayout();
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    keepFixedSize(*this);

    const Widgets &w = *m_widgets;
    // Each tick runs as a handler of this window, like a click.
    auto makeTimer = [&](const wiring::Tick &timer) {
        return timers(*this, QString::fromLatin1(timer.timer), timer.intervalMs,
                      [this, tick = timer.tick] {
                          Program::instance().handle(*this, Program::From::Program,
                                                     [this, tick] { (engine().*tick)(); });
                      });
    };
    m_adapters.reset(new Adapters{
        .Label1 = QtLabel(*w.Label1, QtLabel::Sizing::AutoSize),
        .Label2 = QtLabel(*w.Label2),
        .Label3 = QtLabel(*w.Label3),
        .Label4 = QtLabel(*w.Label4),
        .Label5 = QtLabel(*w.Label5),
        .Label6 = QtLabel(*w.Label6),
        .Label7 = QtLabel(*w.Label7),
        .Label8 = QtLabel(*w.Label8),
        .Text1 = QtTextBox(*w.Text1),
        .Text2 = QtTextBox(*w.Text2),
        .Command1 = QtCommandButton(*w.Command1),
        .Command2 = QtCommandButton(*w.Command2),
        .Command3 = QtCommandButton(*w.Command3),
        .Command4 = QtCommandButton(*w.Command4),
        .ProgressBar1 = QtProgressBar(*w.ProgressBar1),
        .mnuNiveau1 = QtMenuItem(*w.mnuNiveau1),
        .mnuNiveau2 = QtMenuItem(*w.mnuNiveau2),
        .mnuNiveau3 = QtMenuItem(*w.mnuNiveau3),
        .mnuLent = QtMenuItem(*w.mnuLent),
        .mnuMoyen = QtMenuItem(*w.mnuMoyen),
        .mnuRapide = QtMenuItem(*w.mnuRapide),
        .window = MainFormWindow(Program::instance().windows(), Program::instance()),
        .Timer1 = makeTimer(wiring::tickOf("Timer1")),
        .Timer2 = makeTimer(wiring::tickOf("Timer2")),
        .Timer3 = makeTimer(wiring::tickOf("Timer3")),
    });
    Adapters &a = *m_adapters;
    auto *speech = new QuestionSpeech({.dividend = *w.Label1,
                                       .divisor = *w.Label3,
                                       .score = *w.Label6,
                                       .message = *w.Label7,
                                       .remainder = *w.Text2,
                                       .answer = *w.Text1},
                                      state, *new Announcer(*w.Label7->parentWidget()));
    for (QtLabel *spoken : {&a.Label1, &a.Label3, &a.Label6})
        spoken->onChange([speech] { speech->update(); });
    a.Label7.onChange([speech] { speech->messageShown(); });
    m_controls.reset(new Form1Controls(form1ControlsOf(a, a.window)));
    m_engine = std::make_unique<QuizEngine>(state, *m_controls, random);
    connectHandlers();
    Form_Load();
}

void form1::connectHandlers()
{
    const Widgets &w = *m_widgets;
    // Clicks and menu choices go to the game's procedures of the same names.
    for (const wiring::Press &press : wiring::presses) {
        auto run = [this, procedure = press.procedure] {
            Program::instance().handle(*this, Program::From::User,
                                       [this, procedure] { (engine().*procedure)(); });
        };
        const QString name = QString::fromLatin1(press.control);
        if (auto *button = findChild<QPushButton *>(name))
            connect(button, &QPushButton::clicked, this, run);
        else
            connect(findChild<QAction *>(name), &QAction::triggered, this, run);
    }
    connectWindowPresses(*this, WindowId::Main);
    ButtonKeys::install(*this, w.Command3);
}

form1::~form1() = default;

void form1::buildLayout()
{
    Widgets &p = *m_widgets;
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(pixels(8805), pixels(6255));
    client->setAutoFillBackground(true);
    client->setPalette(designedPalette());
    setCentralWidget(client);

    const Qt::Alignment centre = Qt::AlignHCenter;
    const QFont figures = gameFont(24, Weight::Bold);
    p.Label5 = makeLabel(*client, QStringLiteral("Label5"), QStringLiteral("Score ="),
                         twipsRect(4080, 240, 2295, 615), gameFont(24, Weight::Bold, Slant::Italic),
                         Qt::AlignRight);
    // Wider than the figures need at first, so that a score up to "999 / 999" still fits.
    p.Label6 = makeLabel(*client, QStringLiteral("Label6"), QString(),
                         twipsRect(6600, 240, 2085, 735), gameFont(24), Qt::AlignLeft);
    setTextColour(*p.Label6, scoreBlue);
    p.Label1 = makeLabel(*client, QStringLiteral("Label1"), QString(),
                         twipsRect(1380, 2280, 195, 555), figures, centre);
    p.Label2 = makeLabel(*client, QStringLiteral("Label2"), QStringLiteral(":"),
                         twipsRect(2280, 2280, 800, 700), figures, centre);
    p.Label3 = makeLabel(*client, QStringLiteral("Label3"), QString(),
                         twipsRect(3360, 2280, 800, 705), figures, centre);
    p.Label4 = makeLabel(*client, QStringLiteral("Label4"), QStringLiteral("="),
                         twipsRect(4320, 2280, 795, 705), figures, centre);
    p.Text1 =
        makeTextBox(*client, QStringLiteral("Text1"), twipsRect(5400, 2280, 800, 700), answerRed);
    // Its caret is placed now: Qt would otherwise report the caret as the box first takes the
    // focus, ahead of the focus itself, and a screen reader would then take the focus as told
    // and say nothing of where the child is.
    p.Text1->setText(QString());
    // Widened up to the remainder box so that "et il reste" is never cut.
    p.Label8 = makeLabel(*client, QStringLiteral("Label8"), QStringLiteral("Label8"),
                         twipsRect(6480, 2400, 1155, 495), gameFont(12), Qt::AlignLeft);
    p.Text2 =
        makeTextBox(*client, QStringLiteral("Text2"), twipsRect(7680, 2280, 800, 700), Qt::black);
    p.Text2->setAlignment(Qt::AlignCenter);
    p.Text2->setReadOnly(true); // it only shows the remainder
    p.ProgressBar1 = new QProgressBar(client);
    p.ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    p.ProgressBar1->setGeometry(twipsRect(840, 3240, 6615, 255));
    p.ProgressBar1->setTextVisible(false);
    p.Label7 = makeLabel(*client, QStringLiteral("Label7"), QString(),
                         twipsRect(600, 3960, 7215, 495), gameFont(18), centre);

    const QFont buttons = gameFont(9.75);
    p.Command1 = makeButton(*client, QStringLiteral("Command1"), QStringLiteral("&Démarrer"),
                            twipsRect(1440, 5040, 1575, 615), buttons);
    p.Command4 = makeButton(*client, QStringLiteral("Command4"), QStringLiteral("&Recommencer"),
                            twipsRect(1440, 5040, 1575, 615), buttons);
    p.Command4->setEnabled(false);
    p.Command4->setVisible(false);
    p.Command2 = makeButton(*client, QStringLiteral("Command2"), QStringLiteral("&Quitter"),
                            twipsRect(3480, 5040, 1575, 615), buttons);
    p.Command3 = makeButton(*client, QStringLiteral("Command3"), QStringLiteral("&Valider"),
                            twipsRect(5520, 5040, 1575, 615), buttons);

    // What a screen reader says of the controls whose text alone would not tell.
    // (The figures and the score are spoken with their values: QuestionSpeech.)
    p.Label5->setAccessibleName(QStringLiteral("Score"));
    p.Text1->setAccessibleName(QStringLiteral("Ta réponse"));
    p.Text2->setAccessibleName(QStringLiteral("Le reste"));
    p.ProgressBar1->setAccessibleName(QStringLiteral("Temps écoulé"));
    keepValueChangesQuiet(*p.ProgressBar1);

    // The keyboard visits the controls in the window's tab order.
    QWidget *order[] = {p.Command1, p.Text1, p.Command2, p.Command3, p.Text2, p.Command4};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void form1::buildMenus()
{
    Widgets &p = *m_widgets;
    // Unchecked: the game checks its starting level and speed as the window loads.
    auto addItem = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        return action;
    };
    QMenu *niveau = menuBar()->addMenu(QStringLiteral("Niveau"));
    niveau->setObjectName(QStringLiteral("mnuNiveau"));
    p.mnuNiveau1 = addItem(niveau, "mnuNiveau1", QStringLiteral("Niveau 1"));
    p.mnuNiveau2 = addItem(niveau, "mnuNiveau2", QStringLiteral("Niveau 2"));
    p.mnuNiveau3 = addItem(niveau, "mnuNiveau3", QStringLiteral("Niveau 3"));
    // The menu titles carry no access key, so F10 opens the menu bar from the keyboard, as on
    // most desktops.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this,
            [this, niveau] { menuBar()->setActiveAction(niveau->menuAction()); });
    new AltReplayGuard(*this);
    QMenu *vitesse = menuBar()->addMenu(QStringLiteral("Vitesse"));
    vitesse->setObjectName(QStringLiteral("mnuVitesse"));
    p.mnuLent = addItem(vitesse, "mnuLent", QStringLiteral("Lent"));
    p.mnuMoyen = addItem(vitesse, "mnuMoyen", QStringLiteral("Moyen"));
    p.mnuRapide = addItem(vitesse, "mnuRapide", QStringLiteral("Rapide"));
}

QuizEngine &form1::engine()
{
    return *m_engine;
}

const Form1Controls &form1::controls() const
{
    return *m_controls;
}

void form1::Form_Load()
{
    adjustSize();
    centreOnScreen(*this);
    engine().Form_Load();
    m_widgets->Command1->setFocus(); // the first control in tab order that takes the focus
}

void form1::closeEvent(QCloseEvent *event)
{
    // Never refused: the window leaves the screen in the same step as the confirmation arrives.
    event->accept();
    Program &program = Program::instance();
    program.handle(*this, Program::From::Program, [&program] { program.windows().form1_Close(); });
}

} // namespace calcaro
