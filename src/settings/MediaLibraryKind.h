#pragma once

#include <array>
#include <span>
#include <string_view>

#include "music/MediaFileName.h"

namespace velunor {

// What tells the picture library from the music library: its folder, the endings it lists and the
// texts of its dialog.
struct MediaLibraryKind {
    std::string_view subFolder;  // beside the program
    std::array<std::string_view, 3> endings;
    std::string_view caption;
    std::string_view columnHeading;
    std::string_view filterLabel;
    std::string_view filterPattern;
    std::string_view deletedMessage;
};

inline constexpr MediaLibraryKind kPictureLibrary{
    .subFolder = "Picture",
    .endings = {"BMP", "JPG", "PNG"},
    .caption = "图片编辑",
    .columnHeading = "  图片文件名  ",
    .filterLabel = "支持图片格式(*.jpg;*.bmp;*.png)",
    .filterPattern = "*.jpg;*.bmp;*.png",
    .deletedMessage = "删除图片文件成功",
};

inline constexpr MediaLibraryKind kMusicLibrary{
    .subFolder = "Music",
    .endings = kMusicEndings,
    .caption = "音乐编辑",
    .columnHeading = "  音乐文件名  ",
    .filterLabel = "支持音乐格式(*.mp3;*.wma;*.mid)",
    .filterPattern = "*.mp3;*.wma;*.mid",
    .deletedMessage = "删除音乐文件成功",
};

// The second filter of both file choosers.
inline constexpr std::string_view kAllFilesFilterLabel = "*.*(所有文件)";
inline constexpr std::string_view kAllFilesFilterPattern = "*.*";

// Whether a library lists a folder entry: never "." , ".." or the thumbnail cache "Thumbs.db";
// otherwise by the endings rule of the media folders.
bool IsListedName(std::string_view name, std::span<const std::string_view> endings);

}  // namespace velunor
