#pragma once

#include <string>

namespace velunor {

// The about box's version line, "Velunor <version> 版" with the project's version, in UTF-8. Both
// front ends show it; a resource script cannot join the version into a control's text itself.
std::string AboutVersionLine();

}  // namespace velunor
