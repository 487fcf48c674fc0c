#ifndef RIMOTELEGRAMLAYERINTERFACE_H
#define RIMOTELEGRAMLAYERINTERFACE_H

#include "rimotelegram.h"

// Something that takes telegrams towards the bus.
class RimoTelegramLayerInterface
{
public:
    virtual ~RimoTelegramLayerInterface() = default;
    virtual void onTelegramToSend(rimoTelegram& telegram) = 0;
};

#endif // RIMOTELEGRAMLAYERINTERFACE_H
