#pragma once

#include <string>
#include <vector>

namespace velunor {

// The names of every entry of a folder, files and sub-folders alike, without "." and "..", sorted
// byte-wise so that every platform plays and shows them in the same order. Empty when the folder
// is missing or cannot be read.
std::vector<std::string> ListFolder(const std::string& folder);

// The entry at the cursor's position in the listing, moving the cursor one on. Past the end of
// the listing it starts again at the first entry. Empty (cursor unchanged) for an empty listing.
std::string NextFolderFile(const std::vector<std::string>& listing, int& cursor);

}  // namespace velunor
