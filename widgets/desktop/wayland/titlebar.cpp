#include "desktop/wayland/titlebar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>

namespace calcaro {
namespace {

constexpr int barHeight = 30;
constexpr int iconSize = 16;
constexpr int iconLeft = 8;
constexpr int edge = 1; // the window's border, all round

// A plain cross, drawn for every pixel ratio rather than scaled, so that it stays sharp at twice
// the size.
QIcon closeIcon(const QColor &colour)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(iconSize, iconSize) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(4, 12), QPointF(12, 4));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

TitleBar::TitleBar(QWidget &window) : QWidget(&window), m_window(window)
{
    setObjectName(QStringLiteral("titleBar"));
    setAccessibleName(QStringLiteral("Barre de titre"));
    setFixedHeight(barHeight);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont font = m_title->font();
    font.setBold(true);
    m_title->setFont(font);

    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setIconSize(QSize(iconSize, iconSize));
    m_close->setAutoRaise(true);
    m_close->setToolTip(QStringLiteral("Fermer"));
    m_close->setAccessibleName(QStringLiteral("Fermer"));
    // Like a close box: the keyboard's path through the window stays what it was.
    m_close->setFocusPolicy(Qt::NoFocus);
    // The same close as the window system's close box: the window decides what follows.
    connect(m_close, &QToolButton::clicked, &m_window, &QWidget::close);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(iconLeft, 0, 4, 0);
    row->setSpacing(6);
    row->addSpacing(iconSize); // the window's icon, painted
    row->addWidget(m_title, 1);
    row->addWidget(m_close);

    // Qt takes a close button in the flags to mean the system's title bar, so the hints go.
    window.setWindowFlags((window.windowFlags() & Qt::WindowType_Mask) | Qt::FramelessWindowHint);
    // The window's layout places its contents below the bar, and both inside the border.
    window.setContentsMargins(window.contentsMargins() +
                              QMargins(edge, edge + barHeight, edge, edge));
    place();
    window.installEventFilter(this);
    followWindow();
    followPalette();
}

bool TitleBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::Resize:
            place();
            break;
        case QEvent::Paint: {
            // The border, under whatever the window paints (nothing, out there).
            QPainter painter(&m_window);
            painter.setPen(palette().color(QPalette::Mid));
            painter.drawRect(m_window.rect().adjusted(0, 0, -1, -1));
            break;
        }
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
            followWindow();
            break;
        case QEvent::ActivationChange:
            showActivation();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TitleBar::place()
{
    setGeometry(edge, edge, m_window.width() - 2 * edge, barHeight);
}

void TitleBar::followWindow()
{
    m_title->setText(m_window.windowTitle());
    update(); // the icon
}

// The bar takes the desktop's colours from the window (the game's colours are on its contents);
// the cross follows them when the desktop changes theme.
void TitleBar::followPalette()
{
    m_close->setIcon(closeIcon(palette().color(QPalette::WindowText)));
    showActivation();
}

void TitleBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        followPalette();
    QWidget::changeEvent(event);
}

// The title dims while another window is active, as title bars do.
void TitleBar::showActivation()
{
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(
        QPalette::WindowText,
        palette().color(m_window.isActiveWindow() ? QPalette::Active : QPalette::Disabled,
                        QPalette::WindowText));
    m_title->setPalette(titlePalette);
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    // The compositor moves the window; a client cannot place itself under Wayland.
    if (event->button() == Qt::LeftButton && m_window.windowHandle()) {
        m_window.windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TitleBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor base = palette().color(QPalette::Window);
    QLinearGradient shade(rect().topLeft(), rect().bottomLeft());
    shade.setColorAt(0, base.lighter(104));
    shade.setColorAt(1, base.darker(108));
    painter.fillRect(rect(), shade);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
    // Painted rather than held as a picture, so that it is sharp on every screen it moves to.
    m_window.windowIcon().paint(&painter,
                                QRect(iconLeft, (height() - iconSize) / 2, iconSize, iconSize));
}

} // namespace calcaro
