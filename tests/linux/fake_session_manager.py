#!/usr/bin/env python3
# A GNOME-style session manager for tests, on the session bus it is started with. Clients
# register and answer; the test reads the log and ends, cancels or stops the session.
# Only the test process named on the command line (its bus name) is served: other tests on the
# same bus create clients of their own, which must neither register here nor enter the log.
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = 'org.gnome.SessionManager'
PATH = '/org/gnome/SessionManager'
MANAGER = 'org.gnome.SessionManager'
CLIENT = 'org.gnome.SessionManager.ClientPrivate'
TEST = 'org.tovra.Test'

dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
log = []
TESTED = sys.argv[1] if len(sys.argv) > 1 else None


def foreign(sender):
    return TESTED is not None and sender != TESTED


class Client(dbus.service.Object):
    def __init__(self, manager, path):
        dbus.service.Object.__init__(self, bus, path)
        self.manager = manager
        self.path = path

    @dbus.service.method(CLIENT, in_signature='bs')
    def EndSessionResponse(self, ok, reason):
        log.append('EndSessionResponse %s %s' % ('true' if ok else 'false', reason))
        self.manager.answered(self)

    @dbus.service.signal(CLIENT, signature='u')
    def QueryEndSession(self, flags):
        pass

    @dbus.service.signal(CLIENT, signature='u')
    def EndSession(self, flags):
        pass

    @dbus.service.signal(CLIENT, signature='')
    def CancelEndSession(self):
        pass

    @dbus.service.signal(CLIENT, signature='')
    def Stop(self):
        pass


class Manager(dbus.service.Object):
    def __init__(self):
        dbus.service.Object.__init__(self, bus, PATH)
        self.clients = []
        self.made = 0
        self.scenario = None

    @dbus.service.method(MANAGER, in_signature='ss', out_signature='o', sender_keyword='sender')
    def RegisterClient(self, app_id, startup_id, sender=None):
        if foreign(sender):
            raise dbus.exceptions.DBusException('not the process under test',
                                                name='org.freedesktop.DBus.Error.AccessDenied')
        self.made += 1
        client = Client(self, '%s/Client%d' % (PATH, self.made))
        self.clients.append(client)
        log.append('RegisterClient %s %s' % (app_id, startup_id))
        return client.path

    @dbus.service.method(MANAGER, in_signature='o', sender_keyword='sender')
    def UnregisterClient(self, path, sender=None):
        if foreign(sender):
            return
        log.append('UnregisterClient %s' % ('known' if path in [c.path for c in self.clients]
                                              else 'unknown'))

    # As gnome-session: the query first; the end (or its cancellation) once the client agreed.
    def answered(self, client):
        scenario, self.scenario = self.scenario, None
        if scenario == 'end':
            client.EndSession(1)
        elif scenario == 'cancel':
            client.CancelEndSession()

    @dbus.service.method(TEST, out_signature='as')
    def Log(self):
        return log

    @dbus.service.method(TEST)
    def Reset(self):
        del log[:]

    @dbus.service.method(TEST, out_signature='u')
    def Clients(self):
        return len(self.clients)

    # 'end', 'cancel' or 'stop', to the newest client.
    @dbus.service.method(TEST, in_signature='s')
    def Run(self, scenario):
        client = self.clients[-1]
        if scenario == 'stop':
            client.Stop()
            return
        self.scenario = scenario
        client.QueryEndSession(1)


manager = Manager()
# Owned last, so a client that sees the name finds the objects ready.
name = dbus.service.BusName(NAME, bus)
GLib.MainLoop().run()
