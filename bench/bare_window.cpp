// The smallest comparable Qt Widgets program: a window with a menu and a label.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.menuBar()->addMenu(QStringLiteral("Niveau"))->addAction(QStringLiteral("Niveau 1"));
    window.setCentralWidget(new QLabel(QStringLiteral("Clique sur Démarrer si tu es prêt")));
    window.resize(587, 440);
    window.show();
    return app.exec();
}
