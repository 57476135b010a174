#!/usr/bin/env python3
# keylog-window.py TITLE FILE: a GTK window of another program, writing each key it gets to FILE.
import sys, gi
gi.require_version("Gtk", "3.0")
from gi.repository import Gtk, Gdk
log = open(sys.argv[2], "a", buffering=1)
window = Gtk.Window(title=sys.argv[1])
window.set_default_size(600, 400)
window.connect("key-press-event", lambda _w, e: log.write(Gdk.keyval_name(e.keyval) + "\n") and False)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
