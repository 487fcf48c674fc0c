#include "rimotelegrambroker.h"
#include "rimousbhandler.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    rimoTelegramBroker broker;
    rimoUsbHandler::instance();
    return app.exec();
}
