#pragma once

#include <QObject>
#include <QWidget>
#include <vector>

#include "DisplayServer.h"
#include "WaylandKeyboard.h"

class QScreen;

namespace velunor {

// During a break the scene fills the primary monitor and these plain black windows cover every
// other monitor, above everything else, taking the clicks and keys that land on them. A key or a
// close request on a cover means what it means on the break window. While shown they follow
// monitors that come, go or change size.
class MonitorCovers : public QObject {
    Q_OBJECT

public:
    MonitorCovers(QWidget& breakWindow, const DisplayServer& display);
    ~MonitorCovers() override;

    void Show();
    void Hide();
    // On Wayland the keyboard goes to whichever window the pointer or a click gives it to, so the
    // covers hold the compositor's shortcuts as the scene does.
    void HoldKeyboard(WaylandKeyboard& keyboard);

signals:
    // The monitors changed while the covers were shown; the scene may have to follow.
    void layoutChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchScreen(QScreen* screen);
    void OnScreensChanged();
    void Layout();
    void LayoutOnWayland();
    QWidget* NewCover();
    static void Discard(QWidget* cover);

    QWidget& m_breakWindow;
    const bool m_onWayland;
    std::vector<QWidget*> m_covers;  // owned; let go of through Discard
    bool m_shown = false;
};

}  // namespace velunor
