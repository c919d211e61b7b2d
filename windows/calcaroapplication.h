#pragma once

#include <QApplication>

namespace calcaro {

// The application object: names the program, gives every window its icon, and turns an error
// escaping any handler into the program's fatal run-time error report.
class CalcaroApplication : public QApplication
{
public:
    CalcaroApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace calcaro
