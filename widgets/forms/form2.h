#pragma once

#include <QWidget>

class QLabel;

namespace calcaro {

class Module1;

// The dialog at the end of every series: continue, restart or quit.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(Module1 &state);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_QueryUnload();
    void Form_Unload();

    Module1 &m_state;
    QLabel *m_scoreLine;
};

} // namespace calcaro
