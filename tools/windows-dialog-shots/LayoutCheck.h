#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velunor {

// What a user would see cut off or covered in a dialog as it is drawn at the scaling of the
// moment: a text wider or taller than its control, a control reaching out of the dialog, two
// visible controls over each other (a group box frames others and only its title must fit).
// One line of text for each fault; none when everything reads.
std::vector<std::string> LayoutFaults(HWND dialog);

}  // namespace velunor
