#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "render/Canvas.h"
#include "render/PictureIds.h"

namespace velunor::test {

// One thing that happened on a RecordingCanvas, or to a picture or font it made.
struct CanvasCall {
    enum class Kind { Picture, Text, Present, Released };
    Kind kind = Kind::Present;
    std::string name;  // the picture drawn, the text written, "present" or what was released
    Rect destination{};
    Rect source{};
    FontSpec font{};
    Color color{};
    int x = 0;
    int y = 0;
};

// Shared, so that pictures and fonts may outlive the canvas that made them.
using CallLog = std::shared_ptr<std::vector<CanvasCall>>;

// A picture of a given size that notes in the log when it is disposed of.
class FakePicture : public Picture {
public:
    FakePicture(std::string name, int width, int height, CallLog log = {})
        : m_name(std::move(name)), m_width(width), m_height(height), m_log(std::move(log)) {}
    ~FakePicture() override {
        if (m_log) {
            m_log->push_back({.kind = CanvasCall::Kind::Released, .name = "picture " + m_name});
        }
    }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    const std::string& Name() const { return m_name; }

private:
    std::string m_name;
    int m_width;
    int m_height;
    CallLog m_log;
};

class FakeFont : public Font {
public:
    FakeFont(FontSpec wanted, CallLog log) : m_spec(std::move(wanted)), m_log(std::move(log)) {}
    ~FakeFont() override {
        m_log->push_back({.kind = CanvasCall::Kind::Released,
                          .name = "font " + std::to_string(m_spec.pixelHeight)});
    }
    const FontSpec& Requested() const { return m_spec; }

private:
    FontSpec m_spec;
    CallLog m_log;
};

// A back buffer that draws nothing and writes down every call, in order. It holds the two
// built-in pictures at their real sizes.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(int width = 1024, int height = 768)
        : m_width(width), m_height(height) {}

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void Resize(int width, int height) {
        m_width = width;
        m_height = height;
    }
    std::unique_ptr<Picture> LoadResourceImage(int id) override {
        if (id != IDR_BACKGROUND_PICTURE && id != IDR_ANIMATION_PICTURE) {
            return nullptr;
        }
        return std::make_unique<FakePicture>(std::to_string(id),
                                             id == IDR_BACKGROUND_PICTURE ? 1024 : 250,
                                             id == IDR_BACKGROUND_PICTURE ? 768 : 660, log);
    }
    std::unique_ptr<Font> CreateFont(const FontSpec& wanted) override {
        return std::make_unique<FakeFont>(wanted, log);
    }
    void DrawPicture(const Picture& picture, Rect destination, Rect source) override {
        const auto* fake = dynamic_cast<const FakePicture*>(&picture);
        log->push_back({.kind = CanvasCall::Kind::Picture,
                        .name = fake ? fake->Name() : "?",
                        .destination = destination,
                        .source = source});
    }
    void DrawText(const Font& font, Color color, int x, int y, std::string_view text) override {
        log->push_back({.kind = CanvasCall::Kind::Text,
                        .name = std::string(text),
                        .font = dynamic_cast<const FakeFont&>(font).Requested(),
                        .color = color,
                        .x = x,
                        .y = y});
    }
    void Present() override {
        log->push_back({.kind = CanvasCall::Kind::Present, .name = "present"});
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

private:
    int m_width;
    int m_height;
};

}  // namespace velunor::test
