// GNOME Shell gives a Wayland program no way to keep a window above the others or to take the
// keyboard back: a window opened during a break comes in front of it and gets the keys, and a
// break that falls due while the Activities overview is open stays a thumbnail there. While
// Velunor's break windows (its windows shown full-screen; its dialogs never are) are up, this
// keeps them above, gives the keyboard back to them and closes the overview.
const Main = imports.ui.main;
const Meta = imports.gi.Meta;

let connections = [];

function breakWindows() {
    return global.get_window_actors()
        .map(actor => actor.meta_window)
        .filter(window => window.get_wm_class() === 'velunor' && window.is_fullscreen());
}

function guard() {
    const windows = breakWindows();
    if (windows.length === 0)
        return;
    if (Main.overview.visible)
        Main.overview.hide();
    windows.filter(window => !window.is_above()).forEach(window => window.make_above());
    if (!windows.includes(global.display.focus_window)) {
        const primary = global.display.get_primary_monitor();
        const scene = windows.find(window => window.get_monitor() === primary) || windows[0];
        scene.activate(global.get_current_time());
    }
}

// A window is full-screen only a moment after it is created: looked at once the frame is laid out.
function guardLater() {
    Meta.later_add(Meta.LaterType.BEFORE_REDRAW, () => {
        guard();
        return false;
    });
}

function init() {}

function enable() {
    connections = [
        [global.display, global.display.connect('window-created', guardLater)],
        [global.display, global.display.connect('notify::focus-window', guardLater)],
        [Main.overview, Main.overview.connect('showing', guardLater)],
    ];
}

function disable() {
    connections.forEach(([object, id]) => object.disconnect(id));
    connections = [];
}
