#pragma once

#include <string>
#include <utility>

#include "music/MediaPlayer.h"

namespace velunor {

class FileMedia : public PlayerMedia {
public:
    explicit FileMedia(std::string path) : m_path(std::move(path)) {}
    const std::string& Path() const override { return m_path; }

private:
    std::string m_path;
};

}  // namespace velunor
