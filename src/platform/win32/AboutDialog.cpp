#include "AboutDialog.h"

#include "ResourceIds.h"

namespace velunor {

AboutDialog::AboutDialog() : TemplateDialog(IDD_ABOUT) {}

}  // namespace velunor
