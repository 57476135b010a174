#pragma once

#include <QObject>
#include <QTimer>

#include "DisplayServer.h"

class QWidget;

namespace velunor {

// While a break shows on X11, the break window holds the keyboard at the X server, so that every
// key comes to it whatever has the focus, and no window-manager shortcut (Alt+Tab among them) can
// move the keyboard to the work behind the break. The server grants the grab only once the window
// is mapped, which happens after show() returns, and refuses it while another client holds one
// (a menu that is open, the window manager in the middle of a shortcut): it is asked for again
// every 100 ms until it holds.
class KeyboardGrab : public QObject {
    Q_OBJECT

public:
    KeyboardGrab(QWidget& window, const DisplayServer& display);

    // Both are no-ops when the keyboard already is as asked; Hold does nothing off X11.
    void Hold();
    void Release();

private:
    void TryGrab();

    QWidget& m_window;
    const bool m_onX11;
    QTimer m_retry;
    bool m_held = false;
};

}  // namespace velunor
