#include "MusicInfoDialog.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <utility>

#include "BuiltInResources.h"
#include "platform/qt/dialogs/DialogUnits.h"

namespace velunor {

// A caption and a sizing border, but no system menu and so no close box: the buttons and Escape
// close it.
MusicInfoDialog::MusicInfoDialog(QUrl supportPage, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_supportPage(std::move(supportPage)) {
    setFont(DialogUnits::DialogFont(QStringLiteral("Terminal"), 9));
    const DialogUnits units(font());
    setWindowTitle(QStringLiteral("音乐"));
    setWindowIcon(BuiltInResources::ProgramIcon());
    resize(units.Size(206, 103));

    auto* group = new QGroupBox(QStringLiteral("音乐"), this);
    group->setGeometry(units.Rect(25, 14, 157, 44));

    auto* text = new QLabel(QStringLiteral("如果您有什么好的音乐，想在眼睛累的时候倾听，可以把mp3、"
                                           "wma、mid文件添加到软件目录下面的Music文件夹下"),
                            this);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setGeometry(units.Rect(33, 25, 139, 26));

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setGeometry(units.Rect(112, 65, 70, 19));
    connect(ok, &QPushButton::clicked, this, &QDialog::reject);

    auto* support = new QPushButton(QStringLiteral("技术支持"), this);
    support->setGeometry(units.Rect(25, 64, 72, 20));
    connect(support, &QPushButton::clicked, this, &MusicInfoDialog::OnTechSupport);
}

// Whether a browser opened or not, the dialog has done its part.
void MusicInfoDialog::OnTechSupport() {
    QDesktopServices::openUrl(m_supportPage);
    reject();
}

}  // namespace velunor
