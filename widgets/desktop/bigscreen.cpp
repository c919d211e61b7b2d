#include "desktop/bigscreen.h"

#include "twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <optional>

namespace calcaro::bigscreen {
namespace {

// The main window's menu bar at the normal size, with room to spare.
constexpr int menuBarHeight = 26;

} // namespace

std::vector<QSize> windowSizes()
{
    return {QSize(pixels(8805), pixels(6255) + menuBarHeight), QSize(pixels(8520), pixels(3135)),
            QSize(pixels(11310), pixels(5445))};
}

double fittingScale(QSize available, const std::vector<QSize> &windows, QSize frame)
{
    double scale = 2.0;
    for (const QSize &window : windows) {
        scale = std::min(scale, double(available.width() - frame.width()) / window.width());
        scale = std::min(scale, double(available.height() - frame.height()) / window.height());
    }
    // Steps of 0.05, rounded down, so that a window is never a pixel too large.
    return std::max(1.0, std::floor(scale * 20.0 + 1e-9) / 20.0);
}

double chooseScale(int &argc, char **argv)
{
    if (qEnvironmentVariable("CALCARO_GRAND_ECRAN") != QLatin1String("1") ||
        qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return 0.0;
    std::optional<QSize> available;
    {
        // A first connection to the display, only to measure the screen; the game's own
        // application comes after it, with the scale set.
        QGuiApplication measure(argc, argv);
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            available = screen->availableGeometry().size() * screen->devicePixelRatio();
    }
    if (!available)
        return 0.0;
    const double scale = fittingScale(*available, windowSizes(), frameAllowance);
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    return scale;
}

} // namespace calcaro::bigscreen
