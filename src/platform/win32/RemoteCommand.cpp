#include "RemoteCommand.h"

#include <shellapi.h>

#include "platform/win32/WideText.h"

namespace velunor::remote_command {
namespace {
// Marks Velunor's WM_COPYDATA among any other a program might send to the window.
constexpr ULONG_PTR kRequestTag = 0x56524551;
// A line no longer than this is none of Velunor's.
constexpr DWORD kLongestLine = 64;
// A running copy that is busy (a break starting, a dialog opening) answers well within this.
constexpr UINT kAnswerMs = 10000;
// How long --quit waits for the running copy to end.
constexpr DWORD kQuitWaitMs = 15000;
// The message's results; an old copy that knows no requests answers WM_COPYDATA with 0.
constexpr LRESULT kDoneResult = 1;
constexpr LRESULT kRefusedResult = 2;

void WriteUtf8(HANDLE output, const std::string& text) {
    DWORD written = 0;
    WriteFile(output, text.data(), DWORD(text.size()), &written, nullptr);
}

void WriteToConsole(HANDLE console, std::string_view text) {
    const std::wstring wide = Widen(text);
    DWORD written = 0;
    WriteConsoleW(console, wide.data(), DWORD(wide.size()), &written, nullptr);
}

std::optional<RequestOutcome> Send(HWND running, const RemoteRequest& request) {
    std::string line = request.ToLine();
    COPYDATASTRUCT data{kRequestTag, DWORD(line.size()), line.data()};
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, kAnswerMs, &result) == 0) {
        return std::nullopt;
    }
    if (LRESULT(result) == kDoneResult || LRESULT(result) == kRefusedResult) {
        return LRESULT(result) == kDoneResult ? RequestOutcome::Done : RequestOutcome::Refused;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words != nullptr && i < count; ++i) {
        arguments.push_back(Narrow(words[i]));
    }
    LocalFree(words);
    return arguments;
}

void PrintLine(std::string_view text) {
    const std::string line = std::string(text) + "\n";
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error != nullptr && error != INVALID_HANDLE_VALUE) {
        if (GetConsoleMode(error, &mode)) {
            WriteToConsole(error, line);
        } else {
            WriteUtf8(error, line);
        }
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr);
        if (console != INVALID_HANDLE_VALUE) {
            WriteToConsole(console, line);
            CloseHandle(console);
        }
        FreeConsole();
    }
}

int AskRunningCopy(HWND running, const RemoteRequest& request) {
    if (running == nullptr) {
        PrintLine("Velunor.exe: Velunor is not running from this folder");
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    const auto outcome = Send(running, request);
    const bool ended = outcome != RequestOutcome::Done ||
                       request.kind != RemoteRequest::Kind::Quit || process == nullptr ||
                       WaitForSingleObject(process, kQuitWaitMs) == WAIT_OBJECT_0;
    if (process != nullptr) {
        CloseHandle(process);
    }
    if (!outcome) {
        PrintLine("Velunor.exe: the running Velunor did not answer");
    } else if (*outcome == RequestOutcome::Refused) {
        PrintLine(
            "Velunor.exe: the break cannot be postponed now: a break is on, breaks are off, or "
            "it was postponed three times in a row");
    } else if (!ended) {
        PrintLine("Velunor.exe: the running Velunor did not end");
    }
    return outcome == RequestOutcome::Done && ended ? 0 : 1;
}

std::optional<RemoteRequest> Received(const COPYDATASTRUCT& data) {
    if (data.dwData != kRequestTag || data.lpData == nullptr || data.cbData > kLongestLine) {
        return std::nullopt;
    }
    return RemoteRequest::FromLine(
        std::string_view(static_cast<const char*>(data.lpData), data.cbData));
}

LRESULT ResultOf(RequestOutcome outcome) {
    return outcome == RequestOutcome::Done ? kDoneResult : kRefusedResult;
}

}  // namespace velunor::remote_command
