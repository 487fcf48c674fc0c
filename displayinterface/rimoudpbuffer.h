#ifndef RIMOUDPBUFFER_H
#define RIMOUDPBUFFER_H

class QUdpSocket;
class rimoTelegram;

// Loopback datagrams queue in the receiving socket while its thread is busy
// (the broker's main thread blocks in D-Bus calls and socket waits). The
// default queue holds only a few hundred small datagrams, well under a second
// of a busy bus, so the bound sockets ask for a larger one.
void rimoEnlargeReceiveBuffer(QUdpSocket* socket);

// Takes the next pending telegram datagram (at most 65535 bytes) from the
// socket. Returns false when none is left; *hasTelegram tells whether the
// datagram carried one (an empty datagram carries none).
bool rimoTakeTelegramDatagram(QUdpSocket* socket, rimoTelegram* telegram, bool* hasTelegram);

#endif // RIMOUDPBUFFER_H
