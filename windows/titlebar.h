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
    // Gives the window its own title bar where the platform would draw one with buttons it must
    // not offer, and returns it; returns nullptr where the window system's bar, which follows
    // the window's flags, is kept. The bar is owned by the window.
    static TitleBar *installIfNeeded(QWidget &window);

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
