#pragma once

#include <windows.h>

#include <vector>

namespace velunor {

// During a break the scene fills the primary monitor and these plain black windows cover every
// other monitor, above everything else, taking the clicks and keys that land on them. A key or a
// close request on a cover means what it means on the break window, which decides. They exist
// only while a break shows.
class MonitorCovers {
public:
    MonitorCovers();
    ~MonitorCovers() { Hide(); }
    MonitorCovers(const MonitorCovers&) = delete;
    MonitorCovers& operator=(const MonitorCovers&) = delete;

    // Covers the monitors as they are now; again after they changed.
    void Show(HWND breakWindow);
    void Hide();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_breakWindow = nullptr;
    std::vector<HWND> m_covers;
};

}  // namespace velunor
