#pragma once

#include "controllers/softwarelicenseinfomodelpsm.h"

#include <QObject>
#include <QString>
#include <QStringList>

// Viewer of the open-source licence texts installed on the panel, and the
// checksum text of the program.
class SoftwareLicenseInfoControllerPsm : public QObject
{
    Q_OBJECT
    Q_PROPERTY(SoftwareLicenseInfoModelPsm* softwareLicenseInfoModel READ softwareLicenseInfoModel
                   NOTIFY softwareLicenseInfoModelChanged)
    Q_PROPERTY(
        QString formatedLicenseText READ formatedLicenseText NOTIFY softwareLicenseInfoModelChanged)
    Q_PROPERTY(QString crcHash READ crcHash NOTIFY crcHashChanged)

public:
    SoftwareLicenseInfoControllerPsm();
    ~SoftwareLicenseInfoControllerPsm() override;

    SoftwareLicenseInfoModelPsm* softwareLicenseInfoModel() const { return m_model; }
    QString formatedLicenseText() const { return m_formatedLicenseText; }
    QString crcHash() const { return m_crcHash; }
    void setCrcHash(const QString& crcHash);

    // Re-reads the licence tree (done once at construction).
    void loadLicenses();
    // Header put above each licence file in the assembled text.
    static QString licenseHeader(const QString& module, const QString& fileName);

    Q_INVOKABLE void selectedToolComponent(const QStringList& fileNames);

signals:
    void softwareLicenseInfoModelChanged();
    void crcHashChanged();
    void selectedToolComponentChanged();

private:
    SoftwareLicenseInfoModelPsm* m_model = nullptr;
    QString m_formatedLicenseText;
    QString m_crcHash;
};
