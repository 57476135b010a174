#include "ReminderApp.h"

#include "platform/win32/player/CreateMediaPlayer.h"

namespace velunor {

ReminderApp::ReminderApp(const ProgramPaths& paths, const std::wstring& windowClass)
    : m_paths(paths),
      m_sound([this] { return m_owner; }),
      m_player(CreateMediaPlayer()),
      m_mainWindow(m_clock, m_paths, m_sound, *m_player, m_autostart, windowClass) {
    m_owner = m_mainWindow.Handle();
}

int ReminderApp::RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

}  // namespace velunor
