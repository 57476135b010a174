#include "base/AboutText.h"

#include "velunor/Version.h"

namespace velunor {

std::string AboutVersionLine() {
    return std::string("Velunor ") + kVersion + " 版";
}

}  // namespace velunor
