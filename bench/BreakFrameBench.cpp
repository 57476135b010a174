#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>

#include "BuiltInResources.h"
#include "QtCanvas.h"
#include "base/AppSettings.h"
#include "base/SystemClock.h"
#include "render/BreakRenderer.h"

// One break frame as the program draws it: the renderer composes the frame in the Qt canvas's
// back buffer, and the window copies the part the frame drew in its paintEvent. The window is
// repainted synchronously, so each iteration also pays Qt's own paint and flush. Run with
// QT_QPA_PLATFORM=offscreen (the default here) for the drawing alone, or under an X server with
// QT_QPA_PLATFORM=xcb to include the copy to the X server.
namespace velunor {
namespace {

// A stand-in for the break window: opaque, never erased by Qt, painting the canvas's back buffer.
class FrameWindow : public QWidget {
public:
    explicit FrameWindow(QSize size) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        resize(size);
        show();
        // Qt paints only an exposed window; the platform exposes it from its event queue.
        for (int i = 0; i < 1000 && !(windowHandle() && windowHandle()->isExposed()); ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    bool Exposed() const { return windowHandle() && windowHandle()->isExposed(); }
    void Show(const QtCanvas& canvas) { m_canvas = &canvas; }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (m_canvas != nullptr) {
            QPainter painter(this);
            m_canvas->PaintOnto(painter, event->region());
        }
    }

private:
    const QtCanvas* m_canvas = nullptr;
};

QtCanvas::PresentHandler RepaintOf(QWidget& window) {
    return [&window](const QRegion& changed) { window.repaint(changed); };
}

QSize ScreenSize(const benchmark::State& state) {
    return QSize(int(state.range(0)), int(state.range(1)));
}

void ScreenSizes(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"width", "height"});
    bench->Args({1024, 768})->Args({1920, 1080})->Args({3840, 2160});
    bench->Unit(benchmark::kMillisecond);
    // Qt blends large pictures on its own worker threads: the CPU column counts every thread.
    bench->MeasureProcessCPUTime()->UseRealTime();
}

// The renderer's part of a break: long enough that no frame of the run ends it.
struct BreakScreen {
    explicit BreakScreen(QSize size)
        : window(size), canvas(size, RepaintOf(window)), renderer(settings, clock) {
        settings.runTime = 24 * 60;
        renderer.Initialize(canvas);
        window.Show(canvas);
    }

    AppSettings settings;
    SystemClock clock;
    FrameWindow window;
    QtCanvas canvas;
    BreakRenderer renderer;
};

// The whole frame: background, animation, countdown and the copy onto the window.
void BM_BreakFrame(benchmark::State& state) {
    BreakScreen screen(ScreenSize(state));
    if (!screen.window.Exposed() || screen.window.size() != ScreenSize(state)) {
        state.SkipWithError("the window was not shown at the screen's size");
        return;
    }
    for (auto _ : state) {
        screen.renderer.RenderFrame();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BreakFrame)->Apply(ScreenSizes);

// The parts of the frame, drawn with the same canvas calls the renderer makes.
struct FrameParts {
    explicit FrameParts(QSize size) : window(size), canvas(size, RepaintOf(window)) {
        background = canvas.LoadResourceImage(BuiltInResources::kBackgroundId);
        animation = canvas.LoadResourceImage(BuiltInResources::kAnimationId);
        clockFont = canvas.CreateFont(FontSpec{35, 700, "黑体"});
    }

    FrameWindow window;
    QtCanvas canvas;
    std::unique_ptr<Picture> background;
    std::unique_ptr<Picture> animation;
    std::unique_ptr<Font> clockFont;
};

void BM_Background(benchmark::State& state) {
    FrameParts parts(ScreenSize(state));
    const int width = parts.background->Width();
    const int height = parts.background->Height();
    const Rect destination{(parts.canvas.Width() - width) / 2, (parts.canvas.Height() - height) / 2,
                           width, height};
    for (auto _ : state) {
        parts.canvas.DrawPicture(*parts.background, destination, Rect{0, 0, width, height});
    }
}
BENCHMARK(BM_Background)->Apply(ScreenSizes);

// One frame of the four-frame strip at its place.
void BM_AnimationFrame(benchmark::State& state) {
    FrameParts parts(ScreenSize(state));
    const int width = parts.animation->Width();
    const int frameHeight = parts.animation->Height() / 4;
    int frame = 0;
    for (auto _ : state) {
        parts.canvas.DrawPicture(*parts.animation, Rect{160, 230, width, frameHeight},
                                 Rect{0, frame * frameHeight, width, frameHeight});
        frame = (frame + 1) % 4;
    }
}
BENCHMARK(BM_AnimationFrame)->Apply(ScreenSizes);

void BM_CountdownText(benchmark::State& state) {
    FrameParts parts(ScreenSize(state));
    for (auto _ : state) {
        parts.canvas.DrawText(*parts.clockFont, Color{51, 102, 204}, 420, 370, "00:00:59");
    }
}
BENCHMARK(BM_CountdownText)->Apply(ScreenSizes);

// The copy of the whole back buffer onto the window, with Qt's paint and flush around it: what a
// break's first frame costs. Later frames copy only what they drew.
void BM_WholeWindowCopy(benchmark::State& state) {
    FrameParts parts(ScreenSize(state));
    parts.canvas.DrawText(*parts.clockFont, Color{51, 102, 204}, 420, 370, "00:00:59");
    parts.window.Show(parts.canvas);
    if (!parts.window.Exposed()) {
        state.SkipWithError("the window was not shown");
        return;
    }
    for (auto _ : state) {
        parts.window.repaint();
    }
}
BENCHMARK(BM_WholeWindowCopy)->Apply(ScreenSizes);

}  // namespace
}  // namespace velunor

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
