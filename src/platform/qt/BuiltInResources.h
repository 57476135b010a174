#pragma once

#include <QIcon>
#include <QString>

namespace velunor {

// The pictures and icon compiled into the program (res/velunor.qrc), under the numbers the rest
// of the program knows them by.
class BuiltInResources {
public:
    static constexpr int kIconId = 130;
    static constexpr int kBackgroundId = 138;
    static constexpr int kAnimationId = 139;

    // The resource path of a built-in picture; empty for a number that names none.
    static QString PicturePath(int id);
    // Icon 130, the program's face in the tray, its dialogs and the break window.
    static QIcon ProgramIcon();
};

}  // namespace velunor
