#pragma once

#include <QRect>

class QScreen;
class QWidget;

namespace velunor {

// The monitors as a break uses them.
class Screens {
public:
    // Where the scene goes: the primary monitor, in desktop pixels.
    static QScreen* Primary();
    static QRect PrimaryRect();

    // On Wayland: the window full-screen on that monitor.
    static void FillScreen(QWidget& window, QScreen* screen);
};

}  // namespace velunor
