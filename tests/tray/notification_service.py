#!/usr/bin/env python3
# A desktop notification service for tests, on the session bus it is started with. It records
# every call, and closes notifications or invokes their actions when the test asks.
import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

IFACE = 'org.freedesktop.Notifications'
TEST = 'org.tovra.Test'

dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()


class Service(dbus.service.Object):
    def __init__(self):
        dbus.service.Object.__init__(self, bus, '/org/freedesktop/Notifications')
        self.calls = []
        self.last = 0

    @dbus.service.method(IFACE, in_signature='susssasa{sv}i', out_signature='u')
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.last += 1
        self.calls.append('Notify %d|%s|%s|%s|%s|%s|%d' % (
            self.last, app, icon, summary, body, ','.join(actions), timeout))
        return self.last

    @dbus.service.method(IFACE, in_signature='u')
    def CloseNotification(self, nid):
        self.calls.append('Close %d' % nid)
        self.NotificationClosed(nid, 3)

    @dbus.service.method(IFACE, out_signature='as')
    def GetCapabilities(self):
        return ['actions', 'body']

    @dbus.service.method(IFACE, out_signature='ssss')
    def GetServerInformation(self):
        return ('test', 'tovra', '1', '1.2')

    @dbus.service.signal(IFACE, signature='uu')
    def NotificationClosed(self, nid, reason):
        pass

    @dbus.service.signal(IFACE, signature='us')
    def ActionInvoked(self, nid, key):
        pass

    @dbus.service.method(TEST, out_signature='as')
    def Calls(self):
        return self.calls

    @dbus.service.method(TEST, in_signature='uu')
    def Close(self, nid, reason):
        self.NotificationClosed(nid, reason)

    @dbus.service.method(TEST, in_signature='us')
    def Invoke(self, nid, key):
        self.ActionInvoked(nid, key)


service = Service()
# Owned last, so a client that sees the name finds the object ready.
name = dbus.service.BusName(IFACE, bus)
GLib.MainLoop().run()
