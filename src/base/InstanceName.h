#pragma once

#include <string>
#include <string_view>

namespace velunor {

// The name under which the one running Velunor of a program folder makes itself known to a
// second start of the same folder (a local socket on Linux, a mutex and a window on Windows).
// Copies in other folders, or of other users, get other names and run side by side.
// programFolder is the folder with links resolved, as ProgramPaths holds it; userId is what the
// platform calls the user (the numeric id on Linux, the SID on Windows).
std::string InstanceName(std::string_view programFolder, std::string_view userId);

}  // namespace velunor
