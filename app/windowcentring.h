#pragma once

class QWidget;

namespace lumi {

// Places a window at Left = (screen width - window width) / dx and
// Top = (screen height - window height) / dy on its screen (2, 2 centres it).
void centreWindow(QWidget& window, int dx, int dy);

// Shrinks a window to its screen's free area (less room for the window
// frame), never below its minimum size, so that a window made for a large
// screen still shows every control on a small one (1024 x 768); then centres it.
void fitWindowToScreen(QWidget& window);

} // namespace lumi
