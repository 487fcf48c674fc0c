'''UDisks2 double for tests and the demo (python-dbusmock template).

Block objects are added through the mock interface:

  AddFilesystem(name, device, mountDir, uuid, mounted) -> object path
      a partition with a filesystem; Mount "mounts" it at mountDir (which the
      caller prepares) and returns that path; an empty mountDir makes Mount
      fail. mounted=True starts it already mounted.
  AddBlock(name, device) -> object path
      a block device without a filesystem (a whole drive, a partition table).
  Announce(path)
      emits ObjectManager.InterfacesAdded for the object, as the real service
      does when a stick is plugged in.

Every call (GetAll, Mount, Unmount, ResolveDevice, ...) is written to the
mock's log file together with the object path it was made on.
'''

import dbus

from dbusmock import MOCK_IFACE, mockobject

BUS_NAME = 'org.freedesktop.UDisks2'
MAIN_OBJ = '/org/freedesktop/UDisks2'
MAIN_IFACE = 'org.freedesktop.UDisks2'
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

MANAGER_OBJ = '/org/freedesktop/UDisks2/Manager'
MANAGER_IFACE = 'org.freedesktop.UDisks2.Manager'
BLOCK_IFACE = 'org.freedesktop.UDisks2.Block'
FS_IFACE = 'org.freedesktop.UDisks2.Filesystem'
PART_IFACE = 'org.freedesktop.UDisks2.Partition'
OM_IFACE = 'org.freedesktop.DBus.ObjectManager'
ERROR = 'org.freedesktop.UDisks2.Error'


def _bytes0(text):
    return dbus.Array([dbus.Byte(b) for b in text.encode('utf-8') + b'\0'], signature='y')


def _text0(value):
    return bytes(bytearray(value)).rstrip(b'\0').decode('utf-8')


def load(mock, _parameters):
    mock.AddObject(MANAGER_OBJ, MANAGER_IFACE, {'Version': '2.9.4'}, [])
    manager = mockobject.objects[MANAGER_OBJ]

    def resolve_device(self, devspec, _options):
        wanted = str(devspec.get('path', ''))
        found = []
        for path, obj in mockobject.objects.items():
            block = obj.props.get(BLOCK_IFACE)
            if block is not None and _text0(block['Device']) == wanted:
                found.append(dbus.ObjectPath(path))
        self.log(f'ResolveDevice result {" ".join(found)}')
        return dbus.Array(found, signature='o')

    manager.AddMethod(MANAGER_IFACE, 'ResolveDevice', 'a{sv}a{sv}', 'ao', resolve_device)


def _mount(self, _options):
    fs = self.props[FS_IFACE]
    if len(fs['MountPoints']) > 0:
        self.log(f'Mount {self.path} refused: already mounted')
        raise dbus.exceptions.DBusException('already mounted', name=ERROR + '.AlreadyMounted')
    if not self.mount_dir:
        self.log(f'Mount {self.path} failed')
        raise dbus.exceptions.DBusException('cannot mount', name=ERROR + '.Failed')
    self.UpdateProperties(FS_IFACE, {'MountPoints': dbus.Array([_bytes0(self.mount_dir)],
                                                                signature='ay')})
    self.log(f'Mounted {self.path} at {self.mount_dir}')
    return self.mount_dir


def _unmount(self, _options):
    fs = self.props[FS_IFACE]
    if len(fs['MountPoints']) == 0:
        self.log(f'Unmount {self.path} refused: not mounted')
        raise dbus.exceptions.DBusException('not mounted', name=ERROR + '.NotMounted')
    self.UpdateProperties(FS_IFACE, {'MountPoints': dbus.Array([], signature='ay')})
    self.log(f'Unmounted {self.path}')


def _block_path(name):
    return MAIN_OBJ + '/block_devices/' + name


@dbus.service.method(MOCK_IFACE, in_signature='ssssb', out_signature='o')
def AddFilesystem(self, name, device, mount_dir, uuid, mounted):
    path = _block_path(name)
    self.AddObject(path, BLOCK_IFACE, {'Device': _bytes0(device),
                                       'IdUsage': 'filesystem'}, [])
    obj = mockobject.objects[path]
    obj.mount_dir = str(mount_dir)
    points = [_bytes0(str(mount_dir))] if mounted else []
    obj.AddProperties(FS_IFACE, {'MountPoints': dbus.Array(points, signature='ay')})
    obj.AddProperties(PART_IFACE, {'UUID': str(uuid), 'Number': dbus.UInt32(1)})
    obj.AddMethod(FS_IFACE, 'Mount', 'a{sv}', 's', _mount)
    obj.AddMethod(FS_IFACE, 'Unmount', 'a{sv}', '', _unmount)
    return dbus.ObjectPath(path)


def _mount_without_filesystem(self, _options):
    self.log(f'Mount attempted on {self.path} without a filesystem')
    raise dbus.exceptions.DBusException('no filesystem', name=ERROR + '.NotSupported')


@dbus.service.method(MOCK_IFACE, in_signature='ss', out_signature='o')
def AddBlock(self, name, device):
    path = _block_path(name)
    self.AddObject(path, BLOCK_IFACE, {'Device': _bytes0(device), 'IdUsage': ''}, [])
    # Not part of a real block object: it only makes a wrong mount attempt
    # visible in the log. GetAll of the Filesystem interface still fails.
    mockobject.objects[path].AddMethod(FS_IFACE, 'Mount', 'a{sv}', 's', _mount_without_filesystem)
    return dbus.ObjectPath(path)


@dbus.service.method(MOCK_IFACE, in_signature='o', out_signature='')
def Announce(self, path):
    obj = mockobject.objects[str(path)]
    self.EmitSignal(OM_IFACE, 'InterfacesAdded', 'oa{sa{sv}}',
                    [dbus.ObjectPath(path), obj.props])
