#include "bussimulator.h"
#include "simoptions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};

// Client mode: one line after the other, each answer printed.
int sendLines(const bussim::SimOptions& options)
{
    QLocalSocket socket;
    socket.connectToServer(options.socketPath);
    if (!socket.waitForConnected(3000)) {
        std::fprintf(stderr, "rimo-bussim: no simulator on %s: %s\n",
                     qPrintable(options.socketPath), qPrintable(socket.errorString()));
        return 3;
    }
    int rc = 0;
    for (const QString& line : options.sendLines) {
        socket.write(line.toUtf8() + '\n');
        socket.flush();
        QElapsedTimer t;
        t.start();
        while (!socket.canReadLine() && t.elapsed() < 5000 &&
               socket.state() == QLocalSocket::ConnectedState)
            socket.waitForReadyRead(100);
        const QByteArray answer = socket.readLine().trimmed();
        if (answer.isEmpty()) {
            std::fprintf(stderr, "rimo-bussim: no answer to \"%s\"\n", qPrintable(line));
            return 3;
        }
        std::printf("%s\n", answer.constData());
        if (!answer.startsWith("ok"))
            rc = 1;
    }
    std::fflush(stdout);
    return rc;
}

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &c, 1);
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rimo-bussim"));

    bussim::SimOptions options = bussim::SimOptions::withDefaults();
    QString error;
    bool help = false;
    if (!options.parse(app.arguments().mid(1), &error, &help)) {
        std::fprintf(stderr, "rimo-bussim: %s\n%s", qPrintable(error),
                     "Try 'rimo-bussim --help'.\n");
        return 2;
    }
    if (help) {
        std::fputs(qPrintable(bussim::SimOptions::helpText()), stdout);
        return 0;
    }
    if (!options.sendLines.isEmpty())
        return sendLines(options);

    // SIGTERM and SIGINT end the event loop, so the link and the socket are
    // removed on the way out.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        std::perror("rimo-bussim: socketpair");
        return 1;
    }
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [] {
        char c;
        [[maybe_unused]] ssize_t n = ::read(signalPipe[0], &c, 1);
        QCoreApplication::quit();
    });
    struct sigaction sa
    {
    };
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    bussim::BusSimulator sim(options);
    QObject::connect(&sim, &bussim::BusSimulator::quitRequested, &app, &QCoreApplication::quit);
    if (!sim.start(&error)) {
        std::fprintf(stderr, "rimo-bussim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("rimo-bussim: ready\n");
    std::fflush(stdout);
    const int rc = app.exec();
    sim.stop();
    return rc;
}
