#pragma once

#include <QIcon>
#include <QString>

#include "render/PictureIds.h"

namespace velunor {

// The pictures and icon compiled into the program (res/velunor.qrc), under the numbers the rest
// of the program knows them by.
class BuiltInResources {
public:
    static constexpr int kBackgroundId = IDR_BACKGROUND_PICTURE;
    static constexpr int kAnimationId = IDR_ANIMATION_PICTURE;

    // The resource path of a built-in picture; empty for a number that names none.
    static QString PicturePath(int id);
    // The icon (IDI_PROGRAM), the program's face in the tray, its dialogs and the break window.
    static QIcon ProgramIcon();
};

}  // namespace velunor
