#include "platform/qt/dialogs/LibraryFileFilters.h"

#include <QString>

namespace velunor {
namespace {

// The patterns are written as on Windows: separated by semicolons, and "*.*" for every file,
// names without a dot included. The file dialog wants them separated by blanks, and "*.*" would
// leave out such names here.
QString FileDialogPatterns(std::string_view patterns) {
    QStringList converted;
    for (const QString& pattern : QString::fromUtf8(patterns).split(u';', Qt::SkipEmptyParts)) {
        converted << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
    }
    return converted.join(u' ');
}

QString Filter(std::string_view label, std::string_view patterns) {
    return QString::fromUtf8(label) + QStringLiteral(" (") + FileDialogPatterns(patterns) + u')';
}

}  // namespace

QStringList LibraryFileFilters(const MediaLibraryKind& kind) {
    return {Filter(kind.filterLabel, kind.filterPattern),
            Filter(kAllFilesFilterLabel, kAllFilesFilterPattern)};
}

}  // namespace velunor
