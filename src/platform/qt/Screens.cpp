#include "Screens.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace velunor {

QScreen* Screens::Primary() {
    return QGuiApplication::primaryScreen();
}

QRect Screens::PrimaryRect() {
    const QScreen* screen = Primary();
    return screen ? screen->geometry() : QRect();
}

// Qt asks for full-screen on the output its window lies on, and it tells that from the window's
// geometry, not from the screen it was given. A shown window stays on its output when moved, so
// it is shown anew there.
void Screens::FillScreen(QWidget& window, QScreen* screen) {
    if (window.isVisible() && window.screen() != screen) {
        window.hide();
    }
    window.setScreen(screen);
    window.setGeometry(screen->geometry());
    window.showFullScreen();
}

}  // namespace velunor
