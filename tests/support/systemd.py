'''systemd manager double: the stock dbusmock template plus a Reboot method
that only records the call (in the mock's log file and its call list).'''

from dbusmock.templates import systemd as _stock

BUS_NAME = _stock.BUS_NAME
MAIN_OBJ = _stock.MAIN_OBJ
MAIN_IFACE = _stock.MAIN_IFACE
SYSTEM_BUS = True

StartUnit = _stock.StartUnit
StopUnit = _stock.StopUnit


def load(mock, parameters):
    _stock.load(mock, parameters)
    mock.AddMethod(MAIN_IFACE, 'Reboot', '', '', '')
