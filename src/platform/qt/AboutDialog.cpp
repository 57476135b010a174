#include "AboutDialog.h"

#include <QLabel>
#include <QPushButton>

#include "BuiltInResources.h"
#include "base/AboutText.h"
#include "platform/qt/dialogs/DialogUnits.h"

namespace velunor {
namespace {
constexpr int kIconPixels = 32;
}

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setFont(DialogUnits::DialogFont(QStringLiteral("宋体"), 9));
    const DialogUnits units(font());
    setWindowTitle(QStringLiteral("关于 Velunor"));
    setWindowIcon(BuiltInResources::ProgramIcon());
    setFixedSize(units.Size(235, 55));

    auto* icon = new QLabel(this);
    icon->setPixmap(BuiltInResources::ProgramIcon().pixmap(kIconPixels, kIconPixels));
    icon->setGeometry(QRect(units.Rect(11, 17, 20, 20).topLeft(), QSize(kIconPixels, kIconPixels)));

    auto* version = new QLabel(QString::fromStdString(AboutVersionLine()), this);
    version->setTextFormat(Qt::PlainText);
    version->setGeometry(units.Rect(40, 10, 119, 8));

    auto* rights = new QLabel(QStringLiteral("版权所有 (C) 2026 Velunor 开发者"), this);
    rights->setTextFormat(Qt::PlainText);
    rights->setGeometry(units.Rect(40, 25, 119, 8));

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    ok->setGeometry(units.Rect(178, 7, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace velunor
