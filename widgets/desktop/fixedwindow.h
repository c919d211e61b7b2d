#pragma once

class QWidget;

namespace calcaro {

// Keeps a fixed-size window at its size whatever asks it to grow: a maximise or full-screen
// request, from the program or from the title bar that the toolkit draws itself under Wayland,
// is taken back at once. Under Wayland that matters for more than looks: a compositor that
// configured the window as maximised ends the connection when the window keeps its own size.
// Where the toolkit would draw a title bar with minimise and maximise buttons (Wayland), the
// window gets its own, with the close button only (TitleBar). The helpers are owned by the
// window. Call it once the window's layout is set.
void keepFixedSize(QWidget &window);

} // namespace calcaro
