#include "MusicInfoDialog.h"

#include <utility>

#include "CommandIds.h"
#include "platform/win32/dialogs/DialogServices.h"

namespace velunor {

MusicInfoDialog::MusicInfoDialog(std::string helpPage)
    : ModalDialog(IDD_MUSIC_INFO), m_helpPage(std::move(helpPage)) {}

// Whether the page opened or not, the dialog closes.
void MusicInfoDialog::OnCommand(int id, int) {
    if (id == IDC_TECH_SUPPORT) {
        OpenDocument(m_helpPage);
    }
    if (id == IDC_TECH_SUPPORT || id == IDC_MUSIC_INFO_OK) {
        EndRun();
    }
}

}  // namespace velunor
