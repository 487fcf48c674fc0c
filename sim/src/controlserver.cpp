#include "controlserver.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace bussim {

ControlServer::ControlServer(Handler handler, int maxLineLength, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_maxLineLength(maxLineLength)
{}

ControlServer::~ControlServer()
{
    close();
}

bool ControlServer::listen(const QString& path, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        *error = m_server->errorString();
        delete m_server;
        m_server = nullptr;
        return false;
    }
    m_path = path;
    connect(m_server, &QLocalServer::newConnection, this, &ControlServer::onNewConnection);
    return true;
}

void ControlServer::enableStdin()
{
    // Only a terminal we own: a simulator started in the background of an
    // interactive shell would be stopped (SIGTTIN) by reading it.
    if (!::isatty(STDIN_FILENO) || m_stdin || ::tcgetpgrp(STDIN_FILENO) != ::getpgrp())
        return;
    std::signal(SIGTTIN, SIG_IGN);
    m_stdin = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_stdin, &QSocketNotifier::activated, this, &ControlServer::onStdinReadable);
}

void ControlServer::close()
{
    const auto sockets = m_clients.keys();
    for (QLocalSocket* s : sockets) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
    m_clients.clear();
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
        QLocalServer::removeServer(m_path);
    }
    delete m_stdin;
    m_stdin = nullptr;
}

QStringList ControlServer::takeLines(QByteArray& buffer, bool& discarding)
{
    QStringList answers;
    for (;;) {
        const int nl = buffer.indexOf('\n');
        if (nl < 0) {
            if (buffer.size() > m_maxLineLength) {
                if (!discarding)
                    answers << QStringLiteral("error line too long");
                discarding = true;
                buffer.clear();
            }
            return answers;
        }
        QByteArray line = buffer.left(nl);
        buffer.remove(0, nl + 1);
        if (discarding) {
            // The tail of an overlong line: already answered.
            discarding = false;
            continue;
        }
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > m_maxLineLength) {
            answers << QStringLiteral("error line too long");
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        answers << m_handler(QString::fromUtf8(line));
    }
}

void ControlServer::onNewConnection()
{
    while (QLocalSocket* s = m_server->nextPendingConnection()) {
        m_clients.insert(s, Client());
        connect(s, &QLocalSocket::readyRead, this, [this, s] { onSocketReadable(s); });
        connect(s, &QLocalSocket::disconnected, this, [this, s] {
            m_clients.remove(s);
            s->deleteLater();
        });
    }
}

void ControlServer::onSocketReadable(QLocalSocket* socket)
{
    auto it = m_clients.find(socket);
    if (it == m_clients.end())
        return;
    it->buffer += socket->readAll();
    // The handler may end the program; answer before anything else happens.
    const QStringList answers = takeLines(it->buffer, it->discarding);
    for (const QString& a : answers)
        socket->write(a.toUtf8() + '\n');
    socket->flush();
    if (socket->bytesToWrite() > 0)
        socket->waitForBytesWritten(200);
}

void ControlServer::onStdinReadable()
{
    char buf[1024];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
        m_stdin->setEnabled(false);
        return;
    }
    m_stdinClient.buffer.append(buf, int(n));
    const QStringList answers = takeLines(m_stdinClient.buffer, m_stdinClient.discarding);
    for (const QString& a : answers)
        std::fprintf(stdout, "%s\n", a.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace bussim
