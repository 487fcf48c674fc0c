#include "rimoregistrationrequest.h"

RimoRegistrationRequest RimoRegistrationRequest::judge(const QByteArray& bytes, bool final)
{
    RimoRegistrationRequest r;
    if (bytes.isEmpty()) {
        r.kind = final ? Garbage : Incomplete;
        return r;
    }
    const auto type = static_cast<uchar>(bytes.at(0));
    if (type == TypeUnregister) {
        if (bytes.size() < 2) {
            r.kind = final ? Garbage : Incomplete;
            return r;
        }
        r.kind = Unregister;
        r.address = static_cast<uchar>(bytes.at(1));
        return r;
    }
    if (type == TypeRegister) {
        if (bytes.size() < 4) {
            r.kind = final ? Garbage : Incomplete;
            return r;
        }
        r.kind = Register;
        r.address = static_cast<uchar>(bytes.at(1));
        r.port = static_cast<quint16>((static_cast<uchar>(bytes.at(2)) << 8) |
                                      static_cast<uchar>(bytes.at(3)));
        r.receiverAddresses = bytes.mid(4);
        r.mayGrow = !final;
        return r;
    }
    r.kind = Garbage;
    return r;
}
