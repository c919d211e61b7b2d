#pragma once

#include <QApplication>

namespace calcaro {

// The application object of the program: names it, gives its menus and dialogs the game's face
// and every window its icon, and lets windows come and go until the quit confirmation ends it.
class CalcaroApplication : public QApplication
{
public:
    CalcaroApplication(int &argc, char **argv);
};

} // namespace calcaro
