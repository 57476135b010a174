#include "platform/qt/dialogs/ModalDialog.h"

#include <QKeyEvent>

namespace velunor {

void ModalDialog::reject() {
    OnKeyboardClose();
}

// A focused push button presses itself on Enter and never passes the key on, so what arrives
// here comes from a list, an edit or a check box. QDialog would press whichever button it made
// the default on showing.
void ModalDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        OnKeyboardClose();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace velunor
