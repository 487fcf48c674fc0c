// Unit files of the GUI program and the two display programs, byte for byte
// against hand-written reference files, and where they are written.
#include "rimofilewriter.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestBrokerUnits : public QObject
{
    Q_OBJECT

private:
    static QByteArray golden(const QString& name)
    {
        QFile file(QStringLiteral(GOLDEN_DIR "/") + name);
        if (!file.open(QIODevice::ReadOnly)) {
            qFatal("missing reference file %s", qPrintable(name));
        }
        return file.readAll();
    }

    static QString unitDir()
    {
        return QString::fromLocal8Bit(qgetenv("VANTO_ROOT")) +
               QStringLiteral("/lib/systemd/system");
    }

private slots:
    void initTestCase()
    {
        const QString root = QString::fromLocal8Bit(qgetenv("VANTO_ROOT"));
        if (root.isEmpty() || QDir(root).canonicalPath() == QDir::rootPath()) {
            qFatal("VANTO_ROOT must name a private root (run through tests/run-isolated)");
        }
    }

    void texts_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("dual");
        QTest::addColumn<bool>("dbm2");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("reference");

        QTest::newRow("internal dual")
            << "internal" << true << false << 100 << "rimo-internal.dual.service";
        QTest::newRow("internal dual dbm2")
            << "internal" << true << true << 101 << "rimo-internal.dual.service";
        QTest::newRow("internal single dbm1")
            << "internal" << false << false << 100 << "rimo-internal.single.service";
        QTest::newRow("internal single dbm2")
            << "internal" << false << true << 100 << "rimo-internal.single-dbm2.service";
        QTest::newRow("external dual")
            << "external" << true << false << 100 << "rimo-external.dual.service";
        QTest::newRow("external dual v102 dbm2")
            << "external" << true << true << 102 << "rimo-external.dual.service";
        QTest::newRow("external single v100")
            << "external" << false << false << 100 << "rimo-external.single-v100.service";
        QTest::newRow("external single v100 dbm2")
            << "external" << false << true << 100 << "rimo-external.single-v100-dbm2.service";
        QTest::newRow("external single v101")
            << "external" << false << false << 101 << "rimo-external.single-v101.service";
        QTest::newRow("external single v102")
            << "external" << false << false << 102 << "rimo-external.single-v102.service";
        QTest::newRow("external single v103")
            << "external" << false << false << 103 << "rimo-external.single-v103.service";
        QTest::newRow("external single v0")
            << "external" << false << false << 0 << "rimo-external.single-v103.service";
    }

    void texts()
    {
        QFETCH(QString, unit);
        QFETCH(bool, dual);
        QFETCH(bool, dbm2);
        QFETCH(int, variant);
        QFETCH(QString, reference);
        const QByteArray text =
            unit == QLatin1String("internal")
                ? RimoFilewriter::internalServiceText(dual, dbm2)
                : RimoFilewriter::externalServiceText(dual, dbm2, quint16(variant));
        QCOMPARE(QString::fromUtf8(text), QString::fromUtf8(golden(reference)));
    }

    void vantoText() { QCOMPARE(RimoFilewriter::vantoServiceText(), golden("vanto.service")); }

    // The files land below VANTO_ROOT, an existing longer file is truncated,
    // and a missing unit folder is reported, not created.
    void writesBelowRoot()
    {
        RimoFilewriter writer;
        QVERIFY(!QFile::exists(unitDir()));
        QVERIFY(!writer.writeVantoService());
        QVERIFY(!writer.writeInternalService(true, false));
        QVERIFY(!writer.writeExternalService(true, false, 100));

        QVERIFY(QDir().mkpath(unitDir()));
        QFile old(unitDir() + "/rimo-external.service");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4000, 'x'));
        old.close();

        QVERIFY(writer.writeVantoService());
        QVERIFY(writer.writeInternalService(false, true));
        QVERIFY(writer.writeExternalService(false, false, 101));
        const auto read = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
        };
        QCOMPARE(read(unitDir() + "/vanto.service"), golden("vanto.service"));
        QCOMPARE(read(unitDir() + "/rimo-internal.service"),
                 golden("rimo-internal.single-dbm2.service"));
        QCOMPARE(read(unitDir() + "/rimo-external.service"),
                 golden("rimo-external.single-v101.service"));
    }
};

QTEST_GUILESS_MAIN(TestBrokerUnits)
#include "tst_brokerunits.moc"
