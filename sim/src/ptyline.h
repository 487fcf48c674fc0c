#ifndef PTYLINE_H
#define PTYLINE_H

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace bussim {

// A pseudo-terminal whose slave is linked where the panel opens its serial
// port. Only moves bytes; the link layer runs in PeerLink.
class PtyLine : public QObject
{
    Q_OBJECT
public:
    explicit PtyLine(QObject* parent = nullptr);
    ~PtyLine() override;

    // Creates the pty and the link (and its folder); an existing link or
    // file at linkPath is replaced.
    bool open(const QString& linkPath, QString* error);
    // Removes the link and closes the pty.
    void close();
    bool isOpen() const { return m_master >= 0; }
    QString slaveName() const { return m_slaveName; }

    // Writes everything; bytes that nobody reads are flushed first, so a
    // panel that connects late never sees a stale backlog.
    void write(const QByteArray& bytes);
    // Bytes written but not yet read by the panel.
    int unreadBytes() const;

signals:
    void bytesRead(const QByteArray& bytes);
    void backlogFlushed(int bytes);

private:
    void onReadable();

    int m_master = -1;
    int m_slave = -1;
    QString m_slaveName;
    QString m_linkPath;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace bussim

#endif // PTYLINE_H
