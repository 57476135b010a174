#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "music/FolderListing.h"
#include "music/MediaFileName.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

using Names = std::vector<std::string>;

TEST(MusicFileName, ShortNamesPassAndLongerOnesAreJudgedByTheirLastThreeBytes) {
    for (const char* name : {"a.mp3", "song.Mp3", "Tune.WMA", "x.mid", "xmp3", "Old", "abc", "a",
                             "", "ab.c", "fooMP3"}) {
        EXPECT_TRUE(IsMusicFileName(name)) << name;
    }
    for (const char* name : {"tune.wav", "x.ogg", "song.mp3 ", "song.mp4", "Oldies", "mp3.txt"}) {
        EXPECT_FALSE(IsMusicFileName(name)) << name;
    }
}

TEST(FolderListing, ListsFilesAndSubFoldersSortedByBytes) {
    test::TempFolder folder;
    for (const char* name : {"b.mp3", "B.mp3", "a.mp3", "\xe6\xad\x8c.mp3", "_x"}) {
        folder.Write(name, "x");
    }
    std::filesystem::create_directory(folder.Path() / "Old");
    EXPECT_EQ(ListFolder(folder.Path().string()),
              (Names{"B.mp3", "Old", "_x", "a.mp3", "b.mp3", "\xe6\xad\x8c.mp3"}));
    EXPECT_TRUE(ListFolder(folder.File("missing")).empty());
    // A file is no folder to list.
    EXPECT_TRUE(ListFolder(folder.File("a.mp3")).empty());
}

TEST(FolderListing, TheCursorWalksTheListingAndStartsAgainPastItsEnd) {
    const Names listing{"a", "b", "c"};
    int cursor = 1;
    EXPECT_EQ(NextFolderFile(listing, cursor), "b");
    EXPECT_EQ(NextFolderFile(listing, cursor), "c");
    EXPECT_EQ(cursor, 3);
    EXPECT_EQ(NextFolderFile(listing, cursor), "a");
    EXPECT_EQ(cursor, 1);
    // A cursor left beyond a listing that has since shrunk starts again too.
    cursor = 7;
    EXPECT_EQ(NextFolderFile(listing, cursor), "a");
    EXPECT_EQ(cursor, 1);
    // An empty listing gives nothing and leaves the cursor.
    cursor = 2;
    EXPECT_EQ(NextFolderFile({}, cursor), "");
    EXPECT_EQ(cursor, 2);
}

}  // namespace
}  // namespace velunor
