# Stand-ins for a desktop's screen saver and notification service on the test's session bus.
#
# The screen saver starts inactive; SetActive(b) (as a screen saver's own settings call it) turns it
# on or off and announces the change with ActiveChanged. Every notice is written to the log given as
# the one argument: its arrival time, title and text, tab-separated.
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
    @dbus.service.method(NOTICES, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, title, text, actions, hints, timeout):
        with open(sys.argv[1], "a", encoding="utf-8") as log:
            log.write(f"{time.time():.3f}\t{title}\t{text}\n")
        return 1


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
names = [dbus.service.BusName(name, bus) for name in (SAVER, NOTICES)]
ScreenSaver(bus, "/org/freedesktop/ScreenSaver")
Notices(bus, "/org/freedesktop/Notifications")
GLib.MainLoop().run()
