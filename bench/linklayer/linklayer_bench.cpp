// Measures the link layer over a pseudo-terminal with a peer playing the
// boards: ACK latency, telegram round trip, sustained telegram rates each
// way, and what the link-layer thread costs on an idle line.
//
// The comm control and one client (bus address 0x94) live in the main
// thread's event loop, exactly as in the broker; the peer and the user of
// the client run in a worker thread on raw descriptors.
#include "rimocommclient.h"
#include "rimocommcontrol.h"
#include "rimolinkcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/socket.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr quint16 ClientIn = 18401;
constexpr quint16 ClientOut = 18402;

double usSince(Clock::time_point t0, Clock::time_point t1)
{
    return std::chrono::duration<double, std::micro>(t1 - t0).count();
}

struct Stats
{
    double median = 0, p99 = 0, max = 0;
};

Stats stats(std::vector<double> v)
{
    Stats s;
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    s.median = v[v.size() / 2];
    s.p99 = v[std::min(v.size() - 1, size_t(double(v.size()) * 0.99))];
    s.max = v.back();
    return s;
}

// The boards' end of the line.
struct Line
{
    int fd = -1;
    rimolink::Scanner scanner;

    QVector<rimolink::ScanEvent> pump()
    {
        QVector<rimolink::ScanEvent> events;
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n <= 0)
                break;
            events += scanner.feed(QByteArray(buf, int(n)));
        }
        return events;
    }
    void write(const QByteArray& bytes)
    {
        int done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0) {
                done += int(n);
            } else {
                pollfd p = {fd, POLLOUT, 0};
                ::poll(&p, 1, 10);
            }
        }
    }
};

struct Udp
{
    int tx = -1;
    int rx = -1;
    sockaddr_in down{};

    bool open()
    {
        tx = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
        rx = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
        sockaddr_in me{};
        me.sin_family = AF_INET;
        me.sin_port = htons(ClientOut);
        me.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int big = 4 << 20;
        ::setsockopt(rx, SOL_SOCKET, SO_RCVBUF, &big, sizeof big);
        down.sin_family = AF_INET;
        down.sin_port = htons(rimoCommLayer_DownPort());
        down.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return tx >= 0 && rx >= 0 && ::bind(rx, reinterpret_cast<sockaddr*>(&me), sizeof me) == 0;
    }
    static quint16 rimoCommLayer_DownPort() { return 8889; }
    void send(const QByteArray& d)
    {
        ::sendto(tx, d.constData(), size_t(d.size()), 0, reinterpret_cast<const sockaddr*>(&down),
                 sizeof down);
    }
    // Receives one datagram if there is one.
    bool receive(QByteArray* out)
    {
        char buf[70000];
        const ssize_t n = ::recv(rx, buf, sizeof buf, 0);
        if (n < 0)
            return false;
        *out = QByteArray(buf, int(n));
        return true;
    }
};

QByteArray peerTransmission(uchar tid, uchar receiver, const QByteArray& data)
{
    return rimolink::telegramToTransmissions(rimoTelegram(tid, receiver, 0x08, 0x09, data),
                                             0x01)[0];
}

// ---------------------------------------------------------------- phases

Stats ackLatency(Line& line, int n)
{
    std::vector<double> us;
    for (int i = 0; i < n; ++i) {
        const QByteArray tx = peerTransmission(uchar(i), 0x94, QByteArray(1, char(i)));
        line.write(tx);
        const auto t0 = Clock::now();
        bool acked = false;
        while (!acked) {
            pollfd p = {line.fd, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                break;
            for (const auto& e : line.pump())
                acked = acked || e.kind == rimolink::ScanEvent::Ack;
        }
        if (acked)
            us.push_back(usSince(t0, Clock::now()));
    }
    return stats(us);
}

Stats roundTrip(Line& line, Udp& udp, int n)
{
    std::vector<double> us;
    QByteArray d;
    while (udp.receive(&d)) {
    }
    for (int i = 0; i < n; ++i) {
        const QByteArray data = QByteArray::number(i);
        const rimoTelegram request(uchar(i), 0x08, 0x94, 0x89, data);
        const QByteArray reply = peerTransmission(uchar(i), 0x94, data);
        const auto t0 = Clock::now();
        udp.send(rimolink::telegramDatagram(request));
        bool replied = false;
        bool done = false;
        while (!done) {
            pollfd p[2] = {{line.fd, POLLIN, 0}, {udp.rx, POLLIN, 0}};
            if (::poll(p, 2, 1000) <= 0)
                break;
            for (const auto& e : line.pump()) {
                if (e.kind != rimolink::ScanEvent::Block)
                    continue;
                line.write(rimolink::ack());
                if (!replied) {
                    line.write(reply);
                    replied = true;
                }
            }
            while (udp.receive(&d)) {
                if (d.mid(5, data.size()) == data)
                    done = true;
            }
        }
        if (done)
            us.push_back(usSince(t0, Clock::now()));
    }
    return stats(us);
}

double downRate(Line& line, Udp& udp, int n)
{
    // At most a window of datagrams in flight, so the socket never drops any.
    const int window = 32;
    std::vector<bool> seen(size_t(n), false);
    int sent = 0, got = 0;
    const auto t0 = Clock::now();
    while (got < n) {
        if (sent < n && sent - got < window) {
            const QByteArray data = QByteArray::number(sent).rightJustified(6, '0');
            udp.send(rimolink::telegramDatagram(rimoTelegram(uchar(sent), 0x08, 0x94, 0x11, data)));
            ++sent;
            continue;
        }
        pollfd p = {line.fd, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0)
            break;
        for (const auto& e : line.pump()) {
            if (e.kind != rimolink::ScanEvent::Block)
                continue;
            line.write(rimolink::ack());
            const QByteArray raw = rimolink::blockToRawBlock(e.block);
            const int seq = rimolink::rawChunk(raw).mid(1, 6).toInt();
            if (seq >= 0 && seq < n && !seen[size_t(seq)]) {
                seen[size_t(seq)] = true;
                ++got;
            }
        }
    }
    const double s = usSince(t0, Clock::now()) / 1e6;
    return got / s;
}

double upRate(Line& line, Udp& udp, int n, int* delivered)
{
    QByteArray d;
    while (udp.receive(&d)) {
    }
    int got = 0;
    const auto t0 = Clock::now();
    for (int i = 0; i < n; ++i) {
        // Like a board: send, wait for the ACK, send the next.
        line.write(peerTransmission(uchar(i), 0x94, QByteArray(1, char(i))));
        bool acked = false;
        while (!acked) {
            pollfd p = {line.fd, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                break;
            for (const auto& e : line.pump())
                acked = acked || e.kind == rimolink::ScanEvent::Ack;
        }
        while (udp.receive(&d))
            ++got;
    }
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (got < n && Clock::now() < deadline) {
        pollfd p = {udp.rx, POLLIN, 0};
        ::poll(&p, 1, 100);
        while (udp.receive(&d))
            ++got;
    }
    *delivered = got;
    return got / (usSince(t0, Clock::now()) / 1e6);
}

struct ThreadCost
{
    double cpuMs = 0;
    long long wakeups = 0;
};

QString linkThreadDir()
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "rimoCommLayer")
            return tasks.filePath(tid);
    }
    return {};
}

ThreadCost readCost(const QString& dir)
{
    ThreadCost c;
    QFile sched(dir + QStringLiteral("/schedstat")); // run time in ns first
    if (sched.open(QIODevice::ReadOnly))
        c.cpuMs = sched.readAll().split(' ').value(0).toDouble() / 1e6;
    QFile status(dir + QStringLiteral("/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& l : status.readAll().split('\n')) {
            if (l.startsWith("voluntary_ctxt_switches:") ||
                l.startsWith("nonvoluntary_ctxt_switches:"))
                c.wakeups += l.split(':').value(1).trimmed().toLongLong();
        }
    }
    return c;
}

} // namespace

int main(int argc, char** argv)
{
    const int blocks = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 10;

    // Always a private root: the pseudo-terminal is linked below it.
    QByteArray root = qgetenv("VANTO_ROOT");
    if (root.isEmpty() || root == "/") {
        char tmpl[] = "/tmp/linklayer-bench.XXXXXX";
        root = ::mkdtemp(tmpl);
        qputenv("VANTO_ROOT", root);
    }
    QCoreApplication app(argc, argv);

    int master = -1, slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    termios tio;
    ::tcgetattr(slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave, TCSANOW, &tio);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    QDir().mkpath(QString::fromLocal8Bit(root) + "/dev");
    const QString link = QString::fromLocal8Bit(root) + "/dev/ttymxc1";
    QFile::remove(link);
    QFile::link(QString::fromLocal8Bit(name), link);

    // The link layer reads the DBM from the first start after opening.
    std::atomic_bool beacon{true};
    std::thread starter([&] {
        while (beacon) {
            ::write(master, "\xFF\xC3\x01", 3);
            ::usleep(5000);
        }
    });
    rimoCommControl control;
    beacon = false;
    starter.join();
    rimoCommClient client(0x94, QByteArray(1, char(0x94)), ClientIn, ClientOut);
    control.registerCommClient(client);

    int status = 0;
    std::thread worker([&] {
        // On the target the boards are separate processors; here the peer
        // shares the CPU, so it gets the same preference as the link-layer
        // thread where allowed, to keep its own wake-ups out of the figures.
        ::setpriority(PRIO_PROCESS, pid_t(::syscall(SYS_gettid)), -10);
        Line line;
        line.fd = master;
        ::usleep(20000);
        line.pump(); // leftovers of the start-up
        Udp udp;
        if (!udp.open()) {
            std::fprintf(stderr, "cannot open UDP sockets\n");
            status = 1;
            QMetaObject::invokeMethod(&app, "quit", Qt::QueuedConnection);
            return;
        }
        const Stats ack = ackLatency(line, blocks);
        std::printf("ACK latency (%d blocks): median %.1f us, p99 %.1f us, max %.1f us\n", blocks,
                    ack.median, ack.p99, ack.max);
        const Stats rt = roundTrip(line, udp, std::max(2000, blocks / 2));
        std::printf("Round trip 8889 -> peer -> 8888 (%d telegrams): median %.1f us, p99 %.1f us, "
                    "max %.1f us\n",
                    std::max(2000, blocks / 2), rt.median, rt.p99, rt.max);
        const int rateN = 5 * blocks / 3;
        std::printf("Downward sustained: %.0f one-block telegrams/s (%d telegrams)\n",
                    downRate(line, udp, rateN), rateN);
        int delivered = 0;
        const double up = upRate(line, udp, rateN, &delivered);
        std::printf("Upward sustained: %.0f one-block telegrams/s (%d of %d delivered)\n", up,
                    delivered, rateN);
        std::fflush(stdout);

        const QString dir = linkThreadDir();
        if (dir.isEmpty()) {
            std::fprintf(stderr, "link-layer thread not found\n");
            status = 1;
        } else {
            ::usleep(200000);
            const ThreadCost before = readCost(dir);
            std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
            const ThreadCost after = readCost(dir);
            const double cpu = after.cpuMs - before.cpuMs;
            std::printf(
                "Idle %d s: link-layer thread CPU %.3f ms (%.4f %% of a core), "
                "%lld wake-ups (%.2f per second); the thread's totals before the idle "
                "period: %.1f ms CPU, %lld wake-ups\n",
                idleSeconds, cpu, cpu / (idleSeconds * 10.0), after.wakeups - before.wakeups,
                double(after.wakeups - before.wakeups) / idleSeconds, before.cpuMs, before.wakeups);
        }
        std::fflush(stdout);
        QMetaObject::invokeMethod(&app, "quit", Qt::QueuedConnection);
    });
    app.exec();
    worker.join();
    return status;
}
