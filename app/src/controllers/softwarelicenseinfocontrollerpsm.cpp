#include "softwarelicenseinfocontrollerpsm.h"

#include "controllers/softwarelicenseinfomodelpsm.h"
#include "core/systempath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char kLicenseFolder[] = "/usr/share/licenses";
constexpr int kRuleWidth = 110;

// Files of one directory (by name), then its subdirectories (by name);
// symbolic links to directories are not followed.
void collectLicenseFiles(const QString& dirPath, QStringList& files)
{
    const QDir dir(dirPath);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries)
        files.append(entry.absoluteFilePath());
    const QFileInfoList subdirs =
        dir.entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& subdir : subdirs) {
        if (subdir.isSymLink())
            continue;
        collectLicenseFiles(subdir.absoluteFilePath(), files);
    }
}

// The path as it reads on the panel, without the VANTO_ROOT prefix.
QString panelPath(const QString& path)
{
    QString root = systemPath(QStringLiteral("/"));
    if (root == QLatin1String("/"))
        return path;
    root.chop(1);
    if (path.startsWith(root + QLatin1Char('/')))
        return path.mid(root.size());
    return path;
}

} // namespace

SoftwareLicenseInfoControllerPsm::SoftwareLicenseInfoControllerPsm()
    : m_model(new SoftwareLicenseInfoModelPsm(this))
{
    loadLicenses();
}

SoftwareLicenseInfoControllerPsm::~SoftwareLicenseInfoControllerPsm() = default;

void SoftwareLicenseInfoControllerPsm::setCrcHash(const QString& crcHash)
{
    if (m_crcHash == crcHash)
        return;
    m_crcHash = crcHash;
    emit crcHashChanged();
}

void SoftwareLicenseInfoControllerPsm::loadLicenses()
{
    m_model->clear();
    QStringList files;
    const QString root = systemPath(QString::fromLatin1(kLicenseFolder));
    if (QFileInfo(root).isDir())
        collectLicenseFiles(root, files);

    // Files of one directory arrive together; each directory becomes a row
    // named after it. Grouping by the whole directory path keeps two
    // directories of the same name apart.
    QString groupDir;
    QString groupName;
    QStringList groupFiles;
    auto flush = [&]() {
        if (!groupName.isEmpty() && !groupFiles.isEmpty())
            m_model->addComponent(groupName, groupFiles);
        groupFiles.clear();
    };
    for (const QString& file : qAsConst(files)) {
        const QFileInfo info(file);
        const QString dirPath = info.absolutePath();
        if (dirPath != groupDir) {
            flush();
            groupDir = dirPath;
            groupName = QFileInfo(dirPath).fileName();
        }
        groupFiles.append(file);
    }
    flush();
    emit softwareLicenseInfoModelChanged();
}

QString SoftwareLicenseInfoControllerPsm::licenseHeader(const QString& module,
                                                        const QString& fileName)
{
    const QString rule(kRuleWidth, QLatin1Char('-'));
    return QStringLiteral("\n\n\n") + rule + QStringLiteral("\n Module: ") + module +
           QStringLiteral("                        File: ") + fileName + QStringLiteral(" \n") +
           rule + QStringLiteral("\n\n\n");
}

void SoftwareLicenseInfoControllerPsm::selectedToolComponent(const QStringList& fileNames)
{
    m_formatedLicenseText.clear();
    for (const QString& path : fileNames) {
        // Part 4 of "/usr/share/licenses/<component>/<file>" is the component.
        const QStringList parts = panelPath(path).split(QLatin1Char('/'));
        QString module;
        QString fileName;
        if (parts.size() > 4) {
            module = parts.at(4);
            fileName = parts.last();
        }
        m_formatedLicenseText += licenseHeader(module, fileName);

        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QTextStream in(&file);
        in.setCodec("UTF-8");
        while (!in.atEnd())
            m_formatedLicenseText += in.readLine() + QStringLiteral(" \n");
    }
    // formatedLicenseText notifies with the model's signal; without it a
    // bound text view would keep showing the previous component.
    emit softwareLicenseInfoModelChanged();
    emit selectedToolComponentChanged();
}
