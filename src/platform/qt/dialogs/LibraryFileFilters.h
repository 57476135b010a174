#pragma once

#include <QStringList>

#include "settings/MediaLibraryKind.h"

namespace velunor {

// The library's two filters for the open-file dialog: the library's own formats and all files.
// Each keeps its label as the user reads it, followed by its patterns in the form the file dialog
// filters by.
QStringList LibraryFileFilters(const MediaLibraryKind& kind);

}  // namespace velunor
