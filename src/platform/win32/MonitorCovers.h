#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace velunor {

// During a break the scene fills the primary monitor and these plain black windows cover every
// other monitor, above everything else, taking the clicks and keys that land on them; Escape or a
// close request on any of them ends the break. They exist only while a break shows.
class MonitorCovers {
public:
    explicit MonitorCovers(std::function<void()> endBreak);
    ~MonitorCovers() { Hide(); }
    MonitorCovers(const MonitorCovers&) = delete;
    MonitorCovers& operator=(const MonitorCovers&) = delete;

    // Covers the monitors as they are now; again after they changed.
    void Show();
    void Hide();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> m_endBreak;
    std::vector<HWND> m_covers;
};

}  // namespace velunor
