#ifndef RIMOUSBHANDLERCONNECTION_H
#define RIMOUSBHANDLERCONNECTION_H

#include <QLocalSocket>
#include <QObject>
#include <QStorageInfo>
#include <QString>

// One notification connection to a GUI about one mounted stick. Owns its
// socket. The GUI may answer with the stick's root path once it has loaded
// its files.
class rimoUsbHandlerConnection : public QObject
{
    Q_OBJECT
public:
    // rootPath is the mount point as UDisks2 reported it (on the target the
    // same as storage.rootPath()).
    rimoUsbHandlerConnection(const QStorageInfo& storage, const QString& rootPath,
                             QLocalSocket* socket, QObject* parent = nullptr);
    ~rimoUsbHandlerConnection() override;

    QLocalSocket* socket() const { return m_socket; }
    QStorageInfo storage() const { return m_storage; }
    QString rootPath() const { return m_rootPath; }

    // The reply text: everything up to the first zero byte, as UTF-8.
    static QString replyText(const QByteArray& bytes);

signals:
    void usbFilesLoaded(rimoUsbHandlerConnection* conn);
    void connectionDied(rimoUsbHandlerConnection* conn);

public slots:
    void onStateChanged(QLocalSocket::LocalSocketState state);
    void onGuiNotification();

private:
    QStorageInfo m_storage;
    QString m_rootPath;
    QLocalSocket* m_socket;
};

#endif // RIMOUSBHANDLERCONNECTION_H
