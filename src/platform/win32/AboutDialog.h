#pragma once

#include "platform/win32/dialogs/ModalDialog.h"

namespace velunor {

// "关于 Velunor" (template 100): the program's name, version and rights notice. 确定, Enter and
// Escape close it.
class AboutDialog : public ModalDialog {
public:
    AboutDialog();

private:
    void OnInitDialog() override;
    void OnCommand(int, int) override {}
    void OnKeyboardClose() override { EndRun(); }
};

}  // namespace velunor
