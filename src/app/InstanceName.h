#pragma once

#include <string>
#include <string_view>

namespace velunor {

// The name one program folder's Velunor is known by while it runs: "Velunor-" and sixteen hex
// digits of a hash of the folder. A second start from the same folder finds the first by it and
// hands over to it; Velunors of other folders keep their own names, icons and schedules. Where
// paths ignore letter case (Windows), so does the name. Only letters, digits and '-': usable as a
// window class and as a kernel object's name.
std::string InstanceName(std::string_view programFolder);

}  // namespace velunor
