#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velunor {

// The Exec value that starts the program at path with no arguments. The path is quoted and
// escaped twice, for the command line and then for the string value it is stored in, so that
// blanks, quotes, "%", "$", backslashes and any UTF-8 text in folder names survive; a path with a
// "%" is started through the shell. None when the path cannot be stored in a desktop entry at
// all: it is not UTF-8 or holds a control character.
std::optional<std::string> ExecValueFor(std::string_view path);

// The whole desktop entry that starts the program at path at logon.
std::optional<std::string> AutostartEntryText(std::string_view path);

}  // namespace velunor
