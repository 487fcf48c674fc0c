#include "testprobe.h"

#include <QDebug>
#include <QQmlApplicationEngine>

TestProbe* TestProbe::install(QQmlApplicationEngine* engine, const QUrl& mainUrl)
{
    const QString path = qEnvironmentVariable(EnvironmentVariable);
    if (!engine || path.isEmpty())
        return nullptr;
    return new TestProbe(engine, mainUrl, QUrl::fromLocalFile(path));
}

TestProbe::TestProbe(QQmlApplicationEngine* engine, const QUrl& mainUrl, const QUrl& probeUrl)
    : QObject(engine), m_engine(engine), m_mainUrl(mainUrl), m_probeUrl(probeUrl)
{
    // Queued: the probe is loaded after the engine has finished with the main
    // screen, not from inside its creation signal.
    connect(engine, &QQmlApplicationEngine::objectCreated, this, &TestProbe::onObjectCreated,
            Qt::QueuedConnection);
}

void TestProbe::onObjectCreated(QObject* object, const QUrl& url)
{
    // Once only, even when the main screen is loaded again.
    if (m_loaded || !object || url != m_mainUrl)
        return;
    m_loaded = true;
    qInfo().noquote() << "test probe loaded:" << m_probeUrl.toLocalFile();
    m_engine->load(m_probeUrl);
}
