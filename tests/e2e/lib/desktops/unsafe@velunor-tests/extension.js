// Unsafe mode lets org.gnome.Shell.Eval answer the test; shell shows a banner about it unless
// Looking Glass seems open.
const Main = imports.ui.main;
function init() {}
function enable() {
    const saved = Main.lookingGlass;
    Main.lookingGlass = {isOpen: true};
    global.context.unsafe_mode = true;
    Main.lookingGlass = saved;
}
function disable() {}
