#include "core/applicationcontroller.h"
#include "core/rimotelegramclient.h"
#include "core/startup.h"
#include "core/telegrammanager.h"
#include "core/testprobe.h"
#include "types/enumproviderclass.h"

#include <vantoui/framebuffercontroller.h>
#include <vantoui/stylingcontroller.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QtQml>

#include <cstdint>

int main(int argc, char* argv[])
{
    using VantoUi::FramebufferController;
    using VantoUi::StylingController;

    // The panel draws 16-bit; only the framebuffer platforms have a depth to set.
    if (FramebufferController::isFramebufferPlatform(argc, argv))
        FramebufferController::getInstance()->setFrameBufferDepth(16);
    else
        qInfo() << "not a framebuffer platform: colour depth left unchanged";

    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication app(argc, argv);

    QQmlApplicationEngine engine;
    QQmlContext* context = engine.rootContext();

    qmlRegisterType<EnumProviderClass>("Tq.Controller.EnumProvider", 1, 0, "EnumProviderClass");
    qRegisterMetaType<uint32_t>("uint32_t");

    context->setContextProperty(QStringLiteral("StyleController"),
                                StylingController::getInstance());
    qRegisterMetaType<StylingController::Theme>("const StylingController::Theme");

    rimoTelegramClient client(TelegramManager::OwnAddress, QByteArray("\x00\x02\x06\x94", 4), 8228);
    const QUrl url(QStringLiteral("qrc:/qml/main.qml"));
    // End-to-end tests observe the controllers through it; inert unless asked for.
    TestProbe::install(&engine, url);

    TelegramManager* manager = TelegramManager::instance();
    StartUp startUp(&engine, &client, manager, url);
    startUp.start();

    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreated, &app,
        [url](QObject* obj, const QUrl& objUrl) {
            if (!obj && url == objUrl)
                QCoreApplication::exit(-1);
        },
        Qt::QueuedConnection);

    const int rc = app.exec();
    // Stop the singletons' timers and machine while the event loop still exists.
    if (applianceTypeArrived)
        ApplicationController::instance()->stopForExit();
    return rc;
}
