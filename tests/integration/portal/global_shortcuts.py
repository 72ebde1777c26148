'''The global shortcuts of a desktop portal, for python-dbusmock.

Sessions are granted and shortcuts bound at once, as a desktop does once the user agreed.
The test presses a bound shortcut with Press(id) on the mock interface and reads what was
bound with Bound().
'''
import dbus

from dbusmock import MOCK_IFACE

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.GlobalShortcuts'
SYSTEM_BUS = False


def load(mock, parameters):
    mock.AddProperties(MAIN_IFACE, {'version': dbus.UInt32(1)})
    mock.sessions = {}


def handle(kind, sender, token):
    return f'/org/freedesktop/portal/desktop/{kind}/{sender[1:].replace(".", "_")}/{token}'


def respond(mock, request, results):
    mock.EmitSignalDetailed('org.freedesktop.portal.Request', 'Response', 'ua{sv}',
                            [dbus.UInt32(0), results], {'path': request})


@dbus.service.method(MAIN_IFACE, in_signature='a{sv}', out_signature='o', sender_keyword='sender')
def CreateSession(self, options, sender):
    request = handle('request', sender, options['handle_token'])
    session = handle('session', sender, options['session_handle_token'])
    self.sessions[session] = {}
    respond(self, request, {'session_handle': dbus.String(session)})
    return request


@dbus.service.method(MAIN_IFACE, in_signature='oa(sa{sv})sa{sv}', out_signature='o', sender_keyword='sender')
def BindShortcuts(self, session, shortcuts, parent_window, options, sender):
    request = handle('request', sender, options['handle_token'])
    self.sessions[session] = {str(i): str(p.get('preferred_trigger', '')) for i, p in shortcuts}
    bound = dbus.Array([dbus.Struct((i, {'description': p['description'], 'trigger_description': p.get('preferred_trigger', '')}),
                                    signature='sa{sv}') for i, p in shortcuts], signature='(sa{sv})')
    respond(self, request, {'shortcuts': bound})
    return request


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='a{ss}')
def Bound(self):
    return {i: trigger for shortcuts in self.sessions.values() for i, trigger in shortcuts.items()}


@dbus.service.method(MOCK_IFACE, in_signature='s', out_signature='')
def Press(self, shortcut):
    for session, shortcuts in self.sessions.items():
        if shortcut in shortcuts:
            self.EmitSignal(MAIN_IFACE, 'Activated', 'osta{sv}', [session, shortcut, dbus.UInt64(0), {}])
