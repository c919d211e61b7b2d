#include "forms/form3.h"

#include "controls/buttonkeys.h"
#include "controls/controlfactory.h"
#include "desktop/centring.h"
#include "fonts.h"
#include "program.h"
#include "screenreader/accessibility.h"
#include "texts.h"
#include "twips.h"
#include "windowwiring.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace calcaro {

Form3::Form3()
{
    setObjectName(QLatin1String(wiring::nameOf(WindowId::Quit)));
    setWindowTitle(texts::title);
    // A screen reader reads out the texts of a dialog as it comes up, before its focused button.
    setAccessibleRole(*this, QAccessible::Dialog);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    resize(pixels(11310), pixels(5445));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(twipsRect(240, 120, 6135, 4560));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // QIcon takes the "@2x" drawing at twice the size (QT_SCALE_FACTOR=2): sharp, not blown up.
    const QString drawing = QStringLiteral(":/calcaro/quit-picture.jpg");
    picture->setPixmap(
        QIcon(drawing).pixmap(QPixmap(drawing).size(), picture->devicePixelRatioF()));
    picture->setAccessibleName(QStringLiteral("Dessin : un crayon souriant qui dit au revoir"));

    makeLabel(*this, QStringLiteral("Label1"), QStringLiteral("Veux-tu vraiment quitter ? "),
              twipsRect(6600, 2160, 4455, 495), gameFont(18), Qt::AlignHCenter);
    makeLabel(*this, QStringLiteral("Label2"), QStringLiteral("Dessin : l’équipe Calcaro"),
              twipsRect(240, 4920, 3255, 255), gameFont(8.25, Weight::Bold), Qt::AlignHCenter);
    const QFont big = gameFont(24);
    auto *oui = makeButton(*this, QStringLiteral("Command1"), QStringLiteral("Oui"),
                           twipsRect(6840, 2880, 1575, 855), big);
    auto *non = makeButton(*this, QStringLiteral("Command2"), QStringLiteral("Non"),
                           twipsRect(8640, 2880, 1575, 855), big);
    setTabOrder(oui, non);
    connectWindowPresses(*this, WindowId::Quit);
    ButtonKeys::install(*this);

    Form_Load();
}

void Form3::Form_Load()
{
    centreOnScreen(*this);
}

void Form3::closeEvent(QCloseEvent *event)
{
    event->accept();
    Program &program = Program::instance();
    program.handle(*this, Program::From::Program, [&program] { program.windows().Form3_Close(); });
}

} // namespace calcaro
