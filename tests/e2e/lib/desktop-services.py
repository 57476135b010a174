# Stand-ins for a desktop's screen saver and notification service on the test's session bus.
#
# The screen saver starts inactive; SetActive(b) (as a screen saver's own settings call it) turns it
# on or off and announces the change with ActiveChanged. Every notice is written to the log given as
# the first argument: its arrival time, title and text, tab-separated, then its number and actions
# where it has any. With a second argument "actions" the service shows buttons, and Click(number,
# action), as a click on one, announces it with ActionInvoked.
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SAVER = "org.freedesktop.ScreenSaver"
NOTICES = "org.freedesktop.Notifications"


class ScreenSaver(dbus.service.Object):
    active = False

    @dbus.service.method(SAVER, out_signature="b")
    def GetActive(self):
        return self.active

    @dbus.service.method(SAVER, in_signature="b", out_signature="b")
    def SetActive(self, active):
        self.active = bool(active)
        self.ActiveChanged(self.active)
        return True

    @dbus.service.signal(SAVER, signature="b")
    def ActiveChanged(self, active):
        pass


class Notices(dbus.service.Object):
    count = 0

    @dbus.service.method(NOTICES, out_signature="as")
    def GetCapabilities(self):
        return ["body"] + sys.argv[2:3]

    @dbus.service.method(NOTICES, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, title, text, actions, hints, timeout):
        self.count += 1
        more = f"\t{self.count}\t{' '.join(actions)}" if actions else ""
        with open(sys.argv[1], "a", encoding="utf-8") as log:
            log.write(f"{time.time():.3f}\t{title}\t{text}{more}\n")
        return self.count

    @dbus.service.method(NOTICES, in_signature="us")
    def Click(self, notice, action):
        self.ActionInvoked(notice, action)

    @dbus.service.signal(NOTICES, signature="us")
    def ActionInvoked(self, notice, action):
        pass


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
names = [dbus.service.BusName(name, bus) for name in (SAVER, NOTICES)]
ScreenSaver(bus, "/org/freedesktop/ScreenSaver")
Notices(bus, "/org/freedesktop/Notifications")
GLib.MainLoop().run()
