#pragma once

#include <array>
#include <span>
#include <string_view>

namespace velunor {

inline constexpr std::array<std::string_view, 3> kMusicEndings = {"MP3", "WMA", "MID"};

// The name rule of the media folders: a name shorter than five bytes passes whatever it ends with;
// a longer one passes when its last three bytes, upper-cased, are one of the endings. There is no
// test for a dot, so "xmp3" and "fooJPG" pass.
bool HasAcceptedEnding(std::string_view name, std::span<const std::string_view> endings);

// Whether a name of the Music folder joins the break playlist.
bool IsMusicFileName(std::string_view name);

}  // namespace velunor
