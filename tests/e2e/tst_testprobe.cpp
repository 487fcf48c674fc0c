// The end-to-end probe hook: inert without VANTO_PROBE_QML, loaded once into
// the same engine after the main screen otherwise.
#include "core/testprobe.h"

#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QUrl writeQml(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return QUrl();
    return QUrl::fromLocalFile(file.fileName());
}

QStringList rootNames(const QQmlApplicationEngine& engine)
{
    QStringList names;
    for (QObject* o : engine.rootObjects())
        names << o->objectName();
    return names;
}
} // namespace

class TestProbeTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_main =
            writeQml(m_dir, "main.qml", "import QtQml 2.15\nQtObject { objectName: \"main\" }\n");
        m_other =
            writeQml(m_dir, "other.qml", "import QtQml 2.15\nQtObject { objectName: \"other\" }\n");
        // The probe sees the context properties the screens see.
        m_probe = writeQml(m_dir, "probe.qml",
                           "import QtQml 2.15\nQtObject { objectName: \"probe:\" + marker }\n");
        QVERIFY(m_main.isValid() && m_other.isValid() && m_probe.isValid());
    }
    void cleanup() { qunsetenv(TestProbe::EnvironmentVariable); }

    void unsetOrEmptyVariableInstallsNothing_data()
    {
        QTest::addColumn<bool>("set");
        QTest::newRow("unset") << false;
        QTest::newRow("empty") << true;
    }
    void unsetOrEmptyVariableInstallsNothing()
    {
        QFETCH(bool, set);
        if (set)
            qputenv(TestProbe::EnvironmentVariable, "");
        QQmlApplicationEngine engine;
        QCOMPARE(TestProbe::install(&engine, m_main), nullptr);
        engine.load(m_main);
        QCoreApplication::processEvents();
        QCOMPARE(rootNames(engine), QStringList{"main"});
        QCOMPARE(engine.findChildren<TestProbe*>().size(), 0);
    }

    void loadedOnceAfterTheMainScreenOnly()
    {
        qputenv(TestProbe::EnvironmentVariable, m_probe.toLocalFile().toLocal8Bit());
        QQmlApplicationEngine engine;
        engine.rootContext()->setContextProperty("marker", QStringLiteral("seen"));
        TestProbe* probe = TestProbe::install(&engine, m_main);
        QVERIFY(probe);
        QCOMPARE(probe->parent(), &engine);

        // Another file (the reset screen, say) does not bring the probe.
        engine.load(m_other);
        QCoreApplication::processEvents();
        QVERIFY(!probe->loaded());
        QCOMPARE(rootNames(engine), QStringList{"other"});

        engine.load(m_main);
        QTRY_VERIFY(probe->loaded());
        QCOMPARE(rootNames(engine), (QStringList{"other", "main", "probe:seen"}));

        // The main screen loaded again: still one probe.
        engine.load(m_main);
        QCoreApplication::processEvents();
        QCOMPARE(rootNames(engine), (QStringList{"other", "main", "probe:seen", "main"}));
    }

    void mainScreenThatFailsBringsNoProbe()
    {
        qputenv(TestProbe::EnvironmentVariable, m_probe.toLocalFile().toLocal8Bit());
        const QUrl broken = writeQml(m_dir, "broken.qml", "import QtQml 2.15\nQtObject {\n");
        QQmlApplicationEngine engine;
        TestProbe* probe = TestProbe::install(&engine, broken);
        QVERIFY(probe);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("broken\\.qml"));
        engine.load(broken);
        QCoreApplication::processEvents();
        QVERIFY(!probe->loaded());
        QVERIFY(engine.rootObjects().isEmpty());
    }

private:
    QTemporaryDir m_dir;
    QUrl m_main;
    QUrl m_other;
    QUrl m_probe;
};

QTEST_MAIN(TestProbeTest)
#include "tst_testprobe.moc"
