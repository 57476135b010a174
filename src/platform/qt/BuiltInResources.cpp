#include "BuiltInResources.h"

// The resources are compiled into a static library, where nothing would otherwise pull them into
// the executable.
static void LoadCompiledResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(velunor);
        return true;
    }();
    (void)loaded;
}

namespace velunor {

QString BuiltInResources::PicturePath(int id) {
    LoadCompiledResources();
    switch (id) {
        case kBackgroundId:
            return QStringLiteral(":/velunor/background.jpg");
        case kAnimationId:
            return QStringLiteral(":/velunor/animation.png");
        default:
            return {};
    }
}

QIcon BuiltInResources::ProgramIcon() {
    LoadCompiledResources();
    // Several sizes, so that the tray, the title bars and the about box each scale from the
    // nearest one.
    QIcon icon;
    for (int size : {64, 128, 256}) {
        icon.addFile(QStringLiteral(":/velunor/icon-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace velunor
