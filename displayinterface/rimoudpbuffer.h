#ifndef RIMOUDPBUFFER_H
#define RIMOUDPBUFFER_H

class QUdpSocket;

// Loopback datagrams queue in the receiving socket while its thread is busy
// (the broker's main thread blocks in D-Bus calls and socket waits). The
// default queue holds only a few hundred small datagrams, well under a second
// of a busy bus, so the bound sockets ask for a larger one.
void rimoEnlargeReceiveBuffer(QUdpSocket* socket);

#endif // RIMOUDPBUFFER_H
