#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/RecordingCanvas.h"

namespace velunor::test {

// A back buffer that only counts what is drawn and keeps the last text, for runs of millions of
// frames where a full record of every call would be the biggest cost. It holds the two built-in
// pictures at their real sizes.
class CountingCanvas : public Canvas {
public:
    explicit CountingCanvas(int width = 1920, int height = 1080)
        : m_width(width), m_height(height) {}

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }

    std::unique_ptr<Picture> LoadResourceImage(int id) override {
        if (id == 138) {
            return std::make_unique<FakePicture>("138", 1024, 768, m_releases);
        }
        if (id == 139) {
            return std::make_unique<FakePicture>("139", 250, 660, m_releases);
        }
        return nullptr;
    }
    std::unique_ptr<Font> CreateFont(const FontSpec& wanted) override {
        return std::make_unique<FakeFont>(wanted, m_releases);
    }
    void DrawPicture(const Picture&, Rect, Rect) override { ++pictures; }
    void DrawText(const Font&, Color, int, int, std::string_view text) override {
        ++texts;
        lastText.assign(text);
    }
    void Present() override { ++presents; }

    // How many pictures and fonts the canvas made have been disposed of.
    std::size_t Releases() const { return m_releases->size(); }

    std::int64_t pictures = 0;
    std::int64_t texts = 0;
    std::int64_t presents = 0;
    std::string lastText;

private:
    int m_width;
    int m_height;
    CallLog m_releases = std::make_shared<std::vector<CanvasCall>>();
};

}  // namespace velunor::test
