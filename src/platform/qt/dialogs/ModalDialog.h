#pragma once

#include <QDialog>

namespace velunor {

// The base of the settings and library dialogs: Esc, Enter and a close request from the window
// manager all leave it the same way, through its logic. Enter on a push button that has the focus
// presses that button instead.
class ModalDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Must end the modal run with done(), not reject(), which comes back here.
    virtual void OnKeyboardClose() = 0;
};

}  // namespace velunor
