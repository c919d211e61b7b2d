#pragma once

class QWidget;

namespace calcaro {

// Keeps a fixed-size window at its size whatever asks it to grow: a maximise or full-screen
// request, from the program or from the title bar that the toolkit draws itself under Wayland,
// is taken back at once. Under Wayland that matters for more than looks: a compositor that
// configured the window as maximised ends the connection when the window keeps its own size.
// The helper is owned by the window.
void keepFixedSize(QWidget &window);

} // namespace calcaro
