#include "AboutDialog.h"

#include "CommandIds.h"
#include "base/AboutText.h"
#include "platform/win32/WideText.h"

namespace velunor {

AboutDialog::AboutDialog() : ModalDialog(IDD_ABOUT) {}

void AboutDialog::OnInitDialog() {
    SetDlgItemTextW(Window(), IDC_ABOUT_VERSION, Widen(AboutVersionLine()).c_str());
}

}  // namespace velunor
