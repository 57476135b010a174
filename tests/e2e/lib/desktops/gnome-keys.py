#!/usr/bin/env python3
# gnome-keys.py FIFO: types the key combinations written to FIFO, one a line ("Alt_L Tab": pressed
# in order, released in reverse), through one RemoteDesktop session, which mutter ends when its
# caller leaves the bus.
import sys, time
from gi.repository import Gio, GLib
KEYSYMS = {"Escape": 0xff1b, "Super_L": 0xffeb, "Tab": 0xff09, "Alt_L": 0xffe9,
           "Page_Down": 0xff56, "Page_Up": 0xff55, "Return": 0xff0d}
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
def call(path, method, args=None, reply=None, iface=".Session"):
    return bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, "org.gnome.Mutter.RemoteDesktop" + iface,
                         method, args, GLib.VariantType(reply) if reply else None, 0, 20000, None)
session = call("/org/gnome/Mutter/RemoteDesktop", "CreateSession", None, "(o)", "").unpack()[0]
call(session, "Start")
print("started", flush=True)
def key(name, down):
    call(session, "NotifyKeyboardKeysym", GLib.Variant("(ub)", (KEYSYMS.get(name) or ord(name), down)))
while True:
    with open(sys.argv[1]) as lines:
        for line in lines:
            names = line.split()
            try:
                for down, order in ((True, names), (False, reversed(names))):
                    for name in order:
                        key(name, down)
                        time.sleep(0.05)
            except GLib.Error as error:  # a shell too busy to answer in time: the test sees it
                print("failed:", line.strip(), error.message, flush=True)
