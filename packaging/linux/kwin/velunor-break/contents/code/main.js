// KWin raises a window opened during a break above the break and gives it the keyboard, whatever
// the break window asked for. While Velunor's break windows (its windows shown full-screen; its
// dialogs never are) are up, this keeps them above and gives the keyboard back to them.
function breakWindows() {
    return workspace.clientList().filter(c => c.resourceClass == "velunor" && c.fullScreen);
}

function guard() {
    const windows = breakWindows();
    if (windows.length == 0)
        return;
    windows.forEach(c => { c.keepAbove = true; });
    if (!windows.includes(workspace.activeClient))
        workspace.activeClient = windows.find(c => c.screen == 0) || windows[0];
}

// Once KWin has finished activating the window that came: changed from inside its own
// activation, the keyboard would still follow the new window.
const later = new QTimer();
later.singleShot = true;
later.interval = 0;
later.timeout.connect(guard);
workspace.clientAdded.connect(() => later.start());
workspace.clientActivated.connect(() => later.start());
workspace.clientFullScreenSet.connect(() => later.start());
