#ifndef CONTROLSERVER_H
#define CONTROLSERVER_H

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;
class QSocketNotifier;

namespace bussim {

// Line-based control input: a local socket (any number of clients) and,
// when it is a terminal, standard input. Each line goes to the handler; its
// answer goes back on the same channel.
class ControlServer : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<QString(const QString& line)>;

    ControlServer(Handler handler, int maxLineLength, QObject* parent = nullptr);
    ~ControlServer() override;

    bool listen(const QString& path, QString* error);
    void enableStdin();
    void close();

    // Splits complete lines off buffer; an overlong line without an end is
    // dropped and answered once with an error. Returns the answers.
    QStringList takeLines(QByteArray& buffer, bool& discarding);

private:
    void onNewConnection();
    void onSocketReadable(QLocalSocket* socket);
    void onStdinReadable();

    Handler m_handler;
    int m_maxLineLength;
    QLocalServer* m_server = nullptr;
    QString m_path;
    struct Client
    {
        QByteArray buffer;
        bool discarding = false;
    };
    QHash<QLocalSocket*, Client> m_clients;
    QSocketNotifier* m_stdin = nullptr;
    Client m_stdinClient;
};

} // namespace bussim

#endif // CONTROLSERVER_H
