#ifndef SIMTELEGRAM_H
#define SIMTELEGRAM_H

#include <QByteArray>
#include <QtGlobal>

namespace bussim {

// Bus addresses of the boards the simulator plays and of the panel.
enum Address : uchar {
    MainControlAddress = 0x08,
    GuiAddress = 0x94,
    BluetoothAddress = 0x98,
    NfcAddress = 0x9A,
    AudioAddress = 0xF2,
};

// One telegram as the board models see it: addresses, command and data. The
// line turns it into rimoTelegram bytes (CRC, TId) when it is sent, so the
// models stay free of the protocol library and testable on their own.
struct SimTelegram
{
    uchar receiver = 0;
    uchar sender = 0;
    uchar command = 0;
    QByteArray data;

    bool operator==(const SimTelegram& other) const
    {
        return receiver == other.receiver && sender == other.sender && command == other.command &&
               data == other.data;
    }
};

} // namespace bussim

#endif // SIMTELEGRAM_H
