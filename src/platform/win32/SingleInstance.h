#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"

namespace velunor {

// One Velunor per program folder. The first start holds a named mutex for its whole life; a second
// start of the same folder finds the first one's main window by its class name, hands it its
// request (the settings, when it has none: the user evidently wanted to reach the program), then
// ends.
class SingleInstance {
public:
    // name: the folder's instance name, also the main window's class.
    explicit SingleInstance(const std::wstring& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool IsFirst() const { return m_first; }

    // The name of a program folder's Velunor for the user running it: the window class of its
    // main window and its mutex. Windows ignores the case of paths, so the name does too.
    static std::wstring NameFor(const std::string& programFolder);

    // The first one's main window, waited for a few seconds while that one is still starting;
    // null when none shows. The dialog a request opens there may come to the front, as this start
    // was the user's.
    HWND RunningWindow() const;

private:
    std::wstring m_name;
    UniqueHandle m_mutex;
    bool m_first = false;
};

}  // namespace velunor
