#pragma once

// Lets the windows follow the screen's scaling: at 150 % or 200 % they keep their size in
// logical pixels, and lines, text and icons are drawn at the screen's resolution. Must be called
// before the QApplication is constructed.
void enableHighDpiScaling();
