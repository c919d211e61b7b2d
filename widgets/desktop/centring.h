#pragma once

class QWidget;

namespace calcaro {

// Centres a window on its screen from its outer size. Called when the window is created, once it
// has its size; when it first shows, framed by the window manager, the centring is done once
// more with the real frame. Later showings keep the position.
void centreOnScreen(QWidget &window);

} // namespace calcaro
