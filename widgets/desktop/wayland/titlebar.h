#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace calcaro {

// The title bar of a fixed-size window on a desktop where the toolkit would draw the title bar
// itself (Wayland): the window's icon, its title and a close button, nothing else. The toolkit's
// own bar there always offers minimise and maximise, which a window of fixed size must not.
// The window is made frameless and its contents move down to make room; dragging the bar moves
// the window through the compositor, as the toolkit's bar does.
class TitleBar : public QWidget
{
    Q_OBJECT

public:
    // Owned by the window, which it makes frameless.
    explicit TitleBar(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void place();
    void followWindow();
    void followPalette();
    void showActivation();

    QWidget &m_window;
    QLabel *m_title;
    QToolButton *m_close;
};

} // namespace calcaro
