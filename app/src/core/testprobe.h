#pragma once

#include <QObject>
#include <QUrl>

class QQmlApplicationEngine;

// Test-only observer. When the environment variable VANTO_PROBE_QML names a
// QML file, that file is loaded into the program's own engine once the main
// screen has been created, so an end-to-end test can log the controllers'
// properties from the very context the screens bind to. Without the variable
// nothing is created or connected and the program behaves as before.
class TestProbe : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* EnvironmentVariable = "VANTO_PROBE_QML";

    // Returns the probe (owned by the engine), or nullptr when the variable
    // is unset or empty.
    static TestProbe* install(QQmlApplicationEngine* engine, const QUrl& mainUrl);

    QUrl probeUrl() const { return m_probeUrl; }
    bool loaded() const { return m_loaded; }

private:
    TestProbe(QQmlApplicationEngine* engine, const QUrl& mainUrl, const QUrl& probeUrl);
    void onObjectCreated(QObject* object, const QUrl& url);

    QQmlApplicationEngine* m_engine;
    QUrl m_mainUrl;
    QUrl m_probeUrl;
    bool m_loaded = false;
};
