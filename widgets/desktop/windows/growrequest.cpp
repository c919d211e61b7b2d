// Windows.
#include "desktop/nativewindow.h"

#include <QWindow>

namespace calcaro {

// A maximise on Windows takes effect at once and setting the state back undoes it: nothing is
// left to withdraw.
void withdrawGrowRequest(QWindow &window, Qt::WindowStates asked)
{
    Q_UNUSED(window);
    Q_UNUSED(asked);
}

} // namespace calcaro
