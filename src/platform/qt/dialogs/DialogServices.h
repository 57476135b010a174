#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "settings/MessageKind.h"

class QWidget;

namespace velunor {

// What the dialogs ask of the desktop: message boxes, the open-file dialog and the program that
// opens a document. They are passed in so that a dialog can be driven without modal windows of
// the desktop's own popping up.
struct DialogServices {
    // A modal message box over parent with one OK button.
    std::function<void(QWidget* parent, const QString& text, MessageKind kind)> showMessage;
    // The open-file dialog with several files allowed; nameFilters in the file dialog's form. The
    // chosen files as full paths, none when cancelled.
    std::function<QStringList(QWidget* parent, const QStringList& nameFilters)> chooseFiles;
    // Hands a file to the desktop's program for it.
    std::function<void(const QString& path)> openDocument;

    // The desktop's own: QMessageBox titled "Velunor", QFileDialog, QDesktopServices.
    static DialogServices Desktop();
};

}  // namespace velunor
