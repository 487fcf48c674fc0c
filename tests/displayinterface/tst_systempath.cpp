// The serial device path follows VANTO_ROOT and nothing else.
#include "rimosystempath.h"

#include <QtTest>

class TestSystemPath : public QObject
{
    Q_OBJECT
private slots:
    void resolve_data();
    void resolve();
};

void TestSystemPath::resolve_data()
{
    QTest::addColumn<QByteArray>("root"); // "<unset>" leaves the variable unset
    QTest::addColumn<QString>("expected");
    QTest::newRow("unset") << QByteArray("<unset>") << QString("/dev/ttymxc1");
    QTest::newRow("empty") << QByteArray("") << QString("/dev/ttymxc1");
    QTest::newRow("slash") << QByteArray("/") << QString("/dev/ttymxc1");
    QTest::newRow("private root") << QByteArray("/tmp/r") << QString("/tmp/r/dev/ttymxc1");
    QTest::newRow("trailing slashes") << QByteArray("/tmp/r//") << QString("/tmp/r/dev/ttymxc1");
}

void TestSystemPath::resolve()
{
    QFETCH(QByteArray, root);
    QFETCH(QString, expected);
    const QByteArray saved = qgetenv("VANTO_ROOT");
    if (root == "<unset>")
        qunsetenv("VANTO_ROOT");
    else
        qputenv("VANTO_ROOT", root);
    const QString got = rimoSystemPath(QStringLiteral("/dev/ttymxc1"));
    qputenv("VANTO_ROOT", saved);
    QCOMPARE(got, expected);
}

QTEST_APPLESS_MAIN(TestSystemPath)
#include "tst_systempath.moc"
