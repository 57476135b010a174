#pragma once

#include <string_view>

#include "base/ProgramPaths.h"
#include "settings/AutostartStore.h"

namespace velunor {

// The name under which the program starts at logon.
inline constexpr std::string_view kAutostartName = "Orvanta";

// Registers the program's own executable to start at logon, or removes that entry. True when the
// entry is as asked afterwards.
bool SetAutoStartEntry(AutostartStore& store, const ProgramPaths& paths, bool enabled);

}  // namespace velunor
