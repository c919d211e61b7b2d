#pragma once

#include <QWidget>

namespace calcaro {

// "Veux-tu vraiment quitter ?": every way out of the game comes here, and only here does the
// program end.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    Form3();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
};

} // namespace calcaro
