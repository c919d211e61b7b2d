#pragma once

#include <QWidget>

namespace calcaro {

class Module1;

// "Veux-tu vraiment quitter ?": every way out of the game comes here, and only here does the
// program end.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    explicit Form3(Module1 &state);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Form_Unload();

    Module1 &m_state;
};

} // namespace calcaro
