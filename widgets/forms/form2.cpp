#include "forms/form2.h"

#include "controls/buttonkeys.h"
#include "controls/controlfactory.h"
#include "desktop/centring.h"
#include "desktop/fixedwindow.h"
#include "fonts.h"
#include "program.h"
#include "screenreader/accessibility.h"
#include "texts.h"
#include "twips.h"
#include "windowwiring.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace calcaro {

Form2::Form2()
{
    setObjectName(QLatin1String(wiring::nameOf(WindowId::SeriesEnd)));
    setWindowTitle(texts::title);
    // A screen reader reads out the texts of a dialog as it comes up, before its focused button.
    setAccessibleRole(*this, QAccessible::Dialog);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // The contents keep their size and place within the window's client area.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(pixels(8520), pixels(3135));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client);

    const QFont text = gameFont(13.5);
    m_scoreLine = makeLabel(*client, QStringLiteral("Label1"), QString(),
                            twipsRect(360, 360, 7815, 495), text, Qt::AlignHCenter);
    makeLabel(*client, QStringLiteral("Label2"), QStringLiteral("Que voulez-vous faire ? "),
              twipsRect(2280, 1440, 3975, 375), text, Qt::AlignHCenter);
    const QFont buttons = gameFont(9.75);
    auto *continuer = makeButton(*client, QStringLiteral("Command1"), QStringLiteral("&Continuer"),
                                 twipsRect(600, 2160, 1935, 615), buttons);
    auto *recommencer =
        makeButton(*client, QStringLiteral("Command2"), QStringLiteral("&Recommencer"),
                   twipsRect(3120, 2160, 1935, 615), buttons);
    auto *quitter = makeButton(*client, QStringLiteral("Command3"), QStringLiteral("&Quitter"),
                               twipsRect(5640, 2160, 2055, 615), buttons);
    keepFixedSize(*this);
    setTabOrder(continuer, recommencer);
    setTabOrder(recommencer, quitter);
    connectWindowPresses(*this, WindowId::SeriesEnd);
    ButtonKeys::install(*this);

    Form_Load();
}

void Form2::Form_Load()
{
    adjustSize(); // its size as laid out, before it is placed
    centreOnScreen(*this);
}

void Form2::setScoreLine(const QString &text)
{
    m_scoreLine->setText(text);
}

void Form2::closeEvent(QCloseEvent *event)
{
    // Never refused: the dialog goes and the quit confirmation takes its place.
    event->accept();
    Program &program = Program::instance();
    program.handle(*this, Program::From::Program, [&program] { program.windows().Form2_Close(); });
}

} // namespace calcaro
