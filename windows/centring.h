#pragma once

class QWidget;

namespace calcaro {

// Centres a window on its screen from its outer size, vertical position first. Called when the
// window is created; once the window manager has framed it, the centring is done once more with
// the real frame unless the child has used the window meanwhile. Later showings keep the
// position.
void centreOnScreen(QWidget &window);

} // namespace calcaro
