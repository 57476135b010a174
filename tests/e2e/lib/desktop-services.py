# Stand-ins for a desktop's screen saver, notification service and GNOME's idle monitor on the
# test's session bus.
#
# The screen saver starts inactive; SetActive(b) (as a screen saver's own settings call it) turns it
# on or off and announces the change with ActiveChanged. Every notice is written to the log given as
# the first argument: its arrival time, title and text, tab-separated, then its number and actions
# where it has any. With a third argument "actions" the service shows buttons, and Click(number,
# action), as a click on one, announces it with ActionInvoked.
#
# The idle monitor's idle time is the test's to set: SetIdletime(ms) fires the idle watches it
# reaches and, when it drops (input), the user-active watches. Every call the program makes of it
# is written to the log given as the second argument.
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SAVER = "org.freedesktop.ScreenSaver"
NOTICES = "org.freedesktop.Notifications"
MONITOR = "org.gnome.Mutter.IdleMonitor"


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
        return ["body"] + sys.argv[3:4]

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


class IdleMonitor(dbus.service.Object):
    idle, since, watches = 0, time.monotonic(), {}  # watches: interval by id, 0 for user-active

    def answer(self, call, watch_interval=None):
        with open(sys.argv[2], "a", encoding="utf-8") as log:
            log.write(call + "\n")
        if watch_interval is None:
            return self.idle + int((time.monotonic() - self.since) * 1000)
        self.watches[len(self.watches) + 1] = watch_interval
        return len(self.watches)

    @dbus.service.method(MONITOR, out_signature="t")
    def GetIdletime(self):
        return self.answer("GetIdletime")

    @dbus.service.method(MONITOR, in_signature="t", out_signature="u")
    def AddIdleWatch(self, interval):
        return self.answer(f"AddIdleWatch {interval}", interval)

    @dbus.service.method(MONITOR, out_signature="u")
    def AddUserActiveWatch(self):
        return self.answer("AddUserActiveWatch", 0)

    @dbus.service.method(MONITOR, in_signature="t")
    def SetIdletime(self, idle):
        was = self.idle + (time.monotonic() - self.since) * 1000
        self.idle, self.since = idle, time.monotonic()
        for watch, interval in self.watches.items():
            if (interval == 0 and idle < was) or (interval and was < interval <= idle):
                self.watches[watch] = interval or None
                self.WatchFired(watch)

    @dbus.service.signal(MONITOR, signature="u")
    def WatchFired(self, watch):
        pass


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
names = [dbus.service.BusName(name, bus) for name in (SAVER, NOTICES, MONITOR)]
ScreenSaver(bus, "/org/freedesktop/ScreenSaver")
Notices(bus, "/org/freedesktop/Notifications")
IdleMonitor(bus, "/org/gnome/Mutter/IdleMonitor/Core")
GLib.MainLoop().run()
