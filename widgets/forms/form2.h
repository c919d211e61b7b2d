#pragma once

#include <QWidget>

class QLabel;

namespace calcaro {

// The dialog at the end of every series: continue, restart or quit.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    Form2();

    void setScoreLine(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();

    QLabel *m_scoreLine;
};

} // namespace calcaro
