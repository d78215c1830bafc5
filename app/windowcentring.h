#pragma once

class QWidget;

namespace lumi {

// Places a window at Left = (screen width - window width) / dx and
// Top = (screen height - window height) / dy on its screen (2, 2 centres it).
void centreWindow(QWidget& window, int dx, int dy);

} // namespace lumi
