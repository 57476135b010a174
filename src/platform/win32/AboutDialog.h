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
    // 确定 is the dialog's one button, clicked or pressed with Enter while it has the focus.
    void OnCommand(int id, int) override {
        if (id == IDOK) {
            EndRun();
        }
    }
    void OnKeyboardClose() override { EndRun(); }
};

}  // namespace velunor
