#ifndef RIMOUSBHANDLER_H
#define RIMOUSBHANDLER_H

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QProcess>
#include <QStorageInfo>
#include <QStringList>

class QLocalSocket;
class rimoUsbHandlerConnection;

// Mounts USB sticks announced by UDisks2, runs "systemupdate.sh" on sticks
// that carry an update and tells the GUI processes through named local
// sockets. One instance per process, see instance().
class rimoUsbHandler : public QObject
{
    Q_OBJECT
public:
    static rimoUsbHandler* instance();
    ~rimoUsbHandler() override;

    static const char* const UpdateStarting;
    static const char* const UpdateSucceeded;
    static const char* const UpdateFailed;
    static const char* const ExternalUsbNotify;

    // Open notification records (for tests and diagnostics).
    int connectionCount();

public slots:
    void onInterfaceAdded(const QDBusObjectPath& path);
    void onUsbFilesLoaded(rimoUsbHandlerConnection* conn);
    void onConnectionDied(rimoUsbHandlerConnection* conn);
    void onReadUpdateData();
    void onUpdateFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onRunUpdateError(QProcess::ProcessError error);

private:
    rimoUsbHandler();

    void mountFilesystem(const QString& path);
    void checkForUpdate(const QStorageInfo& storage, const QString& rootPath);
    bool notifyGui(const QStorageInfo& storage, const QString& rootPath, const QString& name);
    void addConnection(QLocalSocket* socket, const QStorageInfo& storage, const QString& rootPath);
    void removeConnection(rimoUsbHandlerConnection* conn);

    QDBusConnection m_bus;
    const QStringList m_updateFiles;
    QList<rimoUsbHandlerConnection*> m_connections;
    QMutex m_connectionsMutex;
    QProcess m_updateProcess;
    QStorageInfo m_updateStorage;
    QString m_updateRootPath;
};

#endif // RIMOUSBHANDLER_H
