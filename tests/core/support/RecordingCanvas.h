#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "render/Canvas.h"
#include "render/ImageDrawer.h"
#include "render/PictureIds.h"

namespace velunor::test {

// One thing that happened on a RecordingCanvas, or to a picture or font it made.
struct CanvasCall {
    enum class Kind { Picture, Text, Present, Released };
    Kind kind = Kind::Present;
    std::string name;    // the picture drawn, the text written, "present" or what was released
    Rect destination{};  // of a text: its point
    Rect source{};
    FontSpec font{};
    Color color{};
};

// Shared, so that pictures and fonts may outlive the canvas that made them.
using CallLog = std::shared_ptr<std::vector<CanvasCall>>;

// Notes in the log, if it has one, when it is disposed of.
struct Released {
    std::string name;
    CallLog log;
    ~Released() {
        if (log) {
            log->push_back({.kind = CanvasCall::Kind::Released, .name = name});
        }
    }
};

class FakePicture : public Picture {
public:
    FakePicture(std::string name, int width, int height, CallLog log = {})
        : name(std::move(name)),
          m_width(width),
          m_height(height),
          m_released{"picture " + this->name, std::move(log)} {}
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }

    std::string name;

private:
    int m_width;
    int m_height;
    Released m_released;
};

struct FakeFont : Font {
    FakeFont(FontSpec wanted, CallLog log)
        : requested(std::move(wanted)),
          released{"font " + std::to_string(requested.pixelHeight), std::move(log)} {}
    FontSpec requested;
    Released released;
};

// A back buffer that draws nothing and writes down every call, in order, and draws pictures
// straight onto itself as the renderer does while it runs. It holds the two built-in pictures at
// their real sizes.
class RecordingCanvas : public Canvas, public ImageDrawer {
public:
    explicit RecordingCanvas(int width = 1024, int height = 768) : width(width), height(height) {}

    int Width() const override { return width; }
    int Height() const override { return height; }
    std::unique_ptr<Picture> LoadResourceImage(int id) override {
        const bool background = id == IDR_BACKGROUND_PICTURE;
        if (!background && id != IDR_ANIMATION_PICTURE) {
            return nullptr;
        }
        return std::make_unique<FakePicture>(std::to_string(id), background ? 1024 : 250,
                                             background ? 768 : 660, log);
    }
    std::unique_ptr<Font> CreateFont(const FontSpec& wanted) override {
        return std::make_unique<FakeFont>(wanted, log);
    }
    void DrawPicture(const Picture& picture, Rect destination, Rect source) override {
        log->push_back({CanvasCall::Kind::Picture, dynamic_cast<const FakePicture&>(picture).name,
                        destination, source});
    }
    void DrawText(const Font& font, Color color, int x, int y, std::string_view text) override {
        log->push_back({CanvasCall::Kind::Text,
                        std::string(text),
                        {x, y},
                        {},
                        dynamic_cast<const FakeFont&>(font).requested,
                        color});
    }
    void Present() override { log->push_back({.name = "present"}); }
    void DrawImage(const Picture* picture, Rect destination, Rect source) override {
        if (picture != nullptr) {
            DrawPicture(*picture, destination, source);
        }
    }

    // The calls of one kind, in order.
    std::vector<CanvasCall> Calls(CanvasCall::Kind kind) const {
        std::vector<CanvasCall> found;
        std::ranges::copy_if(*log, std::back_inserter(found),
                             [kind](const CanvasCall& call) { return call.kind == kind; });
        return found;
    }
    // The names of all calls, in order: pictures drawn, texts written, "present", releases.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        std::ranges::transform(*log, std::back_inserter(names), &CanvasCall::name);
        return names;
    }
    void Clear() { log->clear(); }

    CallLog log = std::make_shared<std::vector<CanvasCall>>();
    int width;
    int height;
};

}  // namespace velunor::test
