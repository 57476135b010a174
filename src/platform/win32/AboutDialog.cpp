#include "AboutDialog.h"

#include "ResourceIds.h"
#include "base/AboutText.h"
#include "platform/win32/dialogs/WideText.h"

namespace velunor {

AboutDialog::AboutDialog() : TemplateDialog(IDD_ABOUT) {}

void AboutDialog::OnInitDialog() {
    SetDlgItemTextW(Window(), IDC_ABOUT_VERSION, Widen(AboutVersionLine()).c_str());
}

}  // namespace velunor
