#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/RemoteRequest.h"

namespace velunor {

// A start of Velunor.exe with a request for the copy that runs from the same folder
// (`--pause 30`, `--postpone`, ...): the request's line goes in a WM_COPYDATA to that copy's main
// window, and the outcome comes back as the message's result.
namespace remote_command {

// The program's own arguments, without its path, in UTF-8.
std::vector<std::string> Arguments();

// A line for the user who started the program from a shell: on its standard error where that was
// redirected, else on the console of the shell it was started from; nowhere for a start from the
// desktop. Velunor.exe is a GUI program, so Windows gives it no console of its own.
void PrintLine(std::string_view text);

// Asks the running copy (its main window, or none when none runs) and says how it went; the
// program's exit status: 0 done, 1 none runs, it refused, or (--quit) it did not end in time.
// --quit returns once that copy has ended.
int AskRunningCopy(HWND running, const RemoteRequest& request);

// The running copy's side: the request a WM_COPYDATA carries, or nothing for one that is not
// Velunor's; and the message's result for an outcome.
std::optional<RemoteRequest> Received(const COPYDATASTRUCT& data);
LRESULT ResultOf(RequestOutcome outcome);

}  // namespace remote_command
}  // namespace velunor
