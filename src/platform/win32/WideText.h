#pragma once

#include <string>
#include <string_view>

namespace velunor {

// Text is UTF-8 inside the program and UTF-16 at every Windows call, so Chinese names and
// captions work whatever the system's code page. Invalid input turns into replacement characters
// rather than failing.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace velunor
