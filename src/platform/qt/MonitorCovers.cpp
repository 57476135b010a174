#include "MonitorCovers.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <utility>

#include "Screens.h"
#include "render/CoverLayout.h"

namespace velunor {
namespace {

Rect ToRect(const QRect& rect) {
    return Rect{rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

MonitorCovers::MonitorCovers(QWidget& breakWindow, const DisplayServer& display)
    : m_breakWindow(breakWindow), m_onWayland(display.OnWayland()) {
    const auto* app = qGuiApp;
    connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        WatchScreen(screen);
        OnScreensChanged();
    });
    connect(app, &QGuiApplication::screenRemoved, this, &MonitorCovers::OnScreensChanged);
    connect(app, &QGuiApplication::primaryScreenChanged, this, &MonitorCovers::OnScreensChanged);
    for (QScreen* screen : QGuiApplication::screens()) {
        WatchScreen(screen);
    }
}

MonitorCovers::~MonitorCovers() {
    for (QWidget* cover : m_covers) {
        delete cover;
    }
}

void MonitorCovers::WatchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, &MonitorCovers::OnScreensChanged);
}

void MonitorCovers::Show() {
    m_shown = true;
    Layout();
}

// The windows go with the break: nothing of them stays between breaks.
void MonitorCovers::Hide() {
    m_shown = false;
    for (QWidget* cover : std::exchange(m_covers, {})) {
        Discard(cover);
    }
}

// The break may end inside one of the cover's own key or close events, so it is deleted only once
// that event is done with.
void MonitorCovers::Discard(QWidget* cover) {
    cover->hide();
    cover->deleteLater();
}

void MonitorCovers::HoldKeyboard(WaylandKeyboard& keyboard) {
    for (QWidget* cover : m_covers) {
        keyboard.Hold(*cover);
    }
}

// Between breaks nothing is shown and nothing needs doing: the next break reads the monitors anew.
void MonitorCovers::OnScreensChanged() {
    if (!m_shown) {
        return;
    }
    Layout();
    emit layoutChanged();
}

// On Wayland a window goes where the compositor puts it, so every monitor but the primary one gets
// a cover full-screen on it; a window cannot span monitors there, and there is no desktop pixel
// space to share out.
void MonitorCovers::Layout() {
    if (m_onWayland) {
        LayoutOnWayland();
        return;
    }
    std::vector<Rect> monitors;
    for (const QScreen* screen : QGuiApplication::screens()) {
        monitors.push_back(ToRect(screen->geometry()));
    }
    const std::vector<Rect> covers = CoverLayout::Covers(monitors, ToRect(Screens::PrimaryRect()));
    while (m_covers.size() > covers.size()) {
        Discard(m_covers.back());
        m_covers.pop_back();
    }
    while (m_covers.size() < covers.size()) {
        m_covers.push_back(NewCover());
    }
    for (std::size_t i = 0; i < covers.size(); ++i) {
        const Rect& rect = covers[i];
        m_covers[i]->setGeometry(rect.x, rect.y, rect.width, rect.height);
        m_covers[i]->show();
        m_covers[i]->raise();
    }
}

void MonitorCovers::LayoutOnWayland() {
    std::vector<QScreen*> others;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != Screens::Primary()) {
            others.push_back(screen);
        }
    }
    while (m_covers.size() > others.size()) {
        Discard(m_covers.back());
        m_covers.pop_back();
    }
    while (m_covers.size() < others.size()) {
        m_covers.push_back(NewCover());
    }
    for (std::size_t i = 0; i < others.size(); ++i) {
        Screens::FillScreen(*m_covers[i], others[i]);
    }
}

QWidget* MonitorCovers::NewCover() {
    auto* cover =
        new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    QPalette palette = cover->palette();
    palette.setColor(QPalette::Window, Qt::black);
    cover->setPalette(palette);
    cover->setAutoFillBackground(true);
    cover->setFocusPolicy(Qt::StrongFocus);
    cover->installEventFilter(this);
    return cover;
}

// Keys and close requests that reach a cover stop there: the break window takes them as its own
// and asks the session what they mean. A cover goes only with the break, never on a close request.
bool MonitorCovers::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::Close) {
        QCoreApplication::sendEvent(&m_breakWindow, event);
        if (event->type() == QEvent::Close) {
            event->ignore();
        }
        return true;
    }
    // A Wayland compositor shows a window's new state (full-screen) only with the next picture
    // the window sends, and Qt sends none when the size stays the same.
    if (event->type() == QEvent::WindowStateChange) {
        static_cast<QWidget*>(watched)->update();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velunor
