#pragma once

#include <string>

#include "platform/win32/dialogs/ModalDialog.h"

namespace velunor {

// "音乐" (template 132, the tray's 帮助): where to put music for the breaks. 技术支持 opens the
// help page beside the program and closes the dialog; 确定 and Escape close it.
class MusicInfoDialog : public ModalDialog {
public:
    explicit MusicInfoDialog(std::string helpPage);

private:
    void OnInitDialog() override {}
    void OnCommand(int id, int notification) override;
    void OnKeyboardClose() override { EndRun(); }

    std::string m_helpPage;
};

}  // namespace velunor
