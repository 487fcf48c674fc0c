#ifndef RIMOREGISTRATIONREQUEST_H
#define RIMOREGISTRATIONREQUEST_H

#include <QByteArray>
#include <QtGlobal>

// Judges what a connection on the broker's local socket has sent so far.
//
//   register    01 | address | port (BE16) | receiver addresses ...
//   unregister  00 | address | ignored ...
//
// A request can arrive in pieces, so "not yet" is an answer of its own:
// the caller keeps collecting until the request is complete, the sender is
// gone or time is up, and then judges the final bytes with `final` set.
struct RimoRegistrationRequest
{
    enum Kind {
        Incomplete, // wait for more bytes
        Garbage,
        Register,
        Unregister,
    };

    static constexpr uchar TypeUnregister = 0x00;
    static constexpr uchar TypeRegister = 0x01;

    Kind kind = Incomplete;
    uchar address = 0;
    quint16 port = 0;
    QByteArray receiverAddresses;
    // Register only: more receiver addresses could still follow, so the
    // caller should allow a short grace before acting on it.
    bool mayGrow = false;

    static RimoRegistrationRequest judge(const QByteArray& bytes, bool final);
};

#endif // RIMOREGISTRATIONREQUEST_H
