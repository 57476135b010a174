#include "platform/qt/dialogs/DialogServices.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace velunor {
namespace {

void ShowMessageBox(QWidget* parent, const QString& text, MessageKind kind) {
    const auto icon =
        kind == MessageKind::Failure ? QMessageBox::Warning : QMessageBox::Information;
    QMessageBox box(icon, QStringLiteral("Velunor"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// The filter labels carry their own patterns in the text the user reads, so the file dialog's
// copy of them is hidden.
QStringList ChooseFiles(QWidget* parent, const QStringList& nameFilters) {
    return QFileDialog::getOpenFileNames(parent, QString(), QString(),
                                         nameFilters.join(QStringLiteral(";;")), nullptr,
                                         QFileDialog::HideNameFilterDetails);
}

void OpenDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace

DialogServices DialogServices::Desktop() {
    return DialogServices{ShowMessageBox, ChooseFiles, OpenDocument};
}

}  // namespace velunor
