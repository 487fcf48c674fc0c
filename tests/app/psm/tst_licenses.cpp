// The licence viewer over a small licence tree below VANTO_ROOT.
#include "controllers/softwarelicenseinfocontrollerpsm.h"
#include "controllers/softwarelicenseinfomodelpsm.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString root()
{
    return qEnvironmentVariable("VANTO_ROOT");
}
QString licenses()
{
    return root() + QStringLiteral("/usr/share/licenses");
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(content);
}

// "component: file, file" per row, paths relative to the licence folder
QStringList rows(const SoftwareLicenseInfoModelPsm& model)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex i = model.index(row);
        QStringList files;
        const QStringList paths = i.data(SoftwareLicenseInfoModelPsm::FilesRole).toStringList();
        for (const QString& path : paths)
            files << QDir(licenses()).relativeFilePath(path);
        out << i.data(SoftwareLicenseInfoModelPsm::ComponentRole).toString() + ": " +
                   files.join(", ");
    }
    return out;
}

QString header(const QString& module, const QString& file)
{
    const QString rule(110, QLatin1Char('-'));
    return "\n\n\n" + rule + "\n Module: " + module + "                        File: " + file +
           " \n" + rule + "\n\n\n";
}

} // namespace

class TestLicenses : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void missingFolder();
    void grouping();
    void licenseText();
    void unreadableFileGivesHeaderOnly();
    void crcHash();
};

void TestLicenses::init()
{
    QVERIFY2(!root().isEmpty() && root() != QLatin1String("/"),
             "runs only with a private VANTO_ROOT");
}

void TestLicenses::cleanup()
{
    QDir(root() + QStringLiteral("/usr")).removeRecursively();
}

void TestLicenses::missingFolder()
{
    SoftwareLicenseInfoControllerPsm controller;
    QCOMPARE(controller.softwareLicenseInfoModel()->rowCount(), 0);
}

void TestLicenses::grouping()
{
    writeFile(licenses() + "/README", "top\n");
    writeFile(licenses() + "/zlib/LICENSE", "z\n");
    writeFile(licenses() + "/alpha/COPYING", "a\n");
    writeFile(licenses() + "/alpha/NOTICE", "a2\n");
    // a nested directory between files of its parent must not split the parent
    writeFile(licenses() + "/beta/b-sub/LICENSE", "bs\n");
    writeFile(licenses() + "/beta/COPYING", "b\n");
    writeFile(licenses() + "/beta/z-last", "b2\n");
    // two directories of the same name stay apart
    writeFile(licenses() + "/gamma/alpha/COPYING", "ga\n");
    // an empty component and a link to another component are no rows
    QDir().mkpath(licenses() + "/empty");
    QVERIFY(QFile::link(licenses() + "/zlib", licenses() + "/zz-link"));

    SoftwareLicenseInfoControllerPsm controller;
    QCOMPARE(rows(*controller.softwareLicenseInfoModel()),
             (QStringList{"licenses: README", "alpha: alpha/COPYING, alpha/NOTICE",
                          "beta: beta/COPYING, beta/z-last", "b-sub: beta/b-sub/LICENSE",
                          "alpha: gamma/alpha/COPYING", "zlib: zlib/LICENSE"}));
    const QHash<int, QByteArray> roles = controller.softwareLicenseInfoModel()->roleNames();
    QCOMPARE(roles.value(257), QByteArray("component"));
    QCOMPARE(roles.value(258), QByteArray("files"));
}

void TestLicenses::licenseText()
{
    writeFile(licenses() + "/alpha/COPYING", "Line one\nLine two\n");
    writeFile(licenses() + "/alpha/sub/NOTICE", "Nested\n");
    writeFile(licenses() + "/README", "Top");

    SoftwareLicenseInfoControllerPsm controller;
    QSignalSpy ready(&controller, &SoftwareLicenseInfoControllerPsm::selectedToolComponentChanged);
    // A text view bound to the property follows the property's own notify signal.
    const QMetaObject* meta = controller.metaObject();
    const QMetaProperty text = meta->property(meta->indexOfProperty("formatedLicenseText"));
    QVERIFY(text.hasNotifySignal());
    QSignalSpy textNotify(&controller, QByteArray("2" + text.notifySignal().methodSignature()));
    QVERIFY(textNotify.isValid());
    controller.selectedToolComponent(
        {licenses() + "/alpha/COPYING", licenses() + "/alpha/sub/NOTICE", licenses() + "/README"});
    QCOMPARE(ready.count(), 1);
    QCOMPARE(textNotify.count(), 1);
    const QString expected = header("alpha", "COPYING") + "Line one \nLine two \n" +
                             header("alpha", "NOTICE") + "Nested \n" + header("README", "README") +
                             "Top \n";
    QCOMPARE(controller.formatedLicenseText(), expected);

    // A new selection starts from an empty text.
    controller.selectedToolComponent({licenses() + "/README"});
    QCOMPARE(controller.formatedLicenseText(), header("README", "README") + "Top \n");
    QCOMPARE(ready.count(), 2);
    QCOMPARE(textNotify.count(), 2);
}

void TestLicenses::unreadableFileGivesHeaderOnly()
{
    SoftwareLicenseInfoControllerPsm controller;
    controller.selectedToolComponent({licenses() + "/gone/LICENSE", "/short/path"});
    QCOMPARE(controller.formatedLicenseText(), header("gone", "LICENSE") + header("", ""));
}

void TestLicenses::crcHash()
{
    SoftwareLicenseInfoControllerPsm controller;
    QSignalSpy spy(&controller, &SoftwareLicenseInfoControllerPsm::crcHashChanged);
    controller.setCrcHash(QStringLiteral("00001a2b"));
    controller.setCrcHash(QStringLiteral("00001a2b"));
    QCOMPARE(controller.crcHash(), QStringLiteral("00001a2b"));
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(TestLicenses)
#include "tst_licenses.moc"
