#include <vantoui/framebuffercontroller.h>
#include <vantoui/globals.h>

#include "systemroot.h"

#include <QByteArray>
#include <QFile>
#include <QtGui/qtguiglobal.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <linux/fb.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace VantoUi {

FramebufferController* FramebufferController::getInstance()
{
    static FramebufferController instance;
    return &instance;
}

void FramebufferController::setFrameBufferDepth(int depth)
{
    const QByteArray device =
        QFile::encodeName(rootedPath(QFile::decodeName(fb_device ? fb_device : "")));

    // A GUI without a configured framebuffer cannot show anything: every
    // failure ends the process so that systemd can restart it.
    const int fd = ::open(device.constData(), O_RDONLY);
    if (fd < 0) {
        std::fprintf(stderr, "Failed to open device %s: %s\n", device.constData(),
                     std::strerror(errno));
        std::exit(1);
    }

    fb_var_screeninfo info;
    std::memset(&info, 0, sizeof(info));
    if (::ioctl(fd, FBIOGET_VSCREENINFO, &info) < 0) {
        std::fprintf(stderr, "Failed ioctl FBIOGET_VSCREENINFO: %s\n", std::strerror(errno));
        std::exit(1);
    }

    std::printf("Current frambuffer depth: %d bit\n", static_cast<int>(info.bits_per_pixel));
    info.bits_per_pixel = static_cast<__u32>(depth);
    std::printf("Set frambuffer depth to: %d\n", depth);
    std::fflush(stdout);

    if (::ioctl(fd, FBIOPUT_VSCREENINFO, &info) < 0) {
        std::fprintf(stderr, "Failed ioctl FBIOPUT_VSCREENINFO: %s\n", std::strerror(errno));
        std::exit(1);
    }
    ::close(fd);
}

namespace {

bool namesFramebufferPlugin(QByteArray platform)
{
    // Qt tries the first of a ";" separated list first, and
    // "eglfs:fb=/dev/fb1" selects the eglfs plugin with options.
    for (const char separator : {';', ':'}) {
        const int at = platform.indexOf(separator);
        if (at >= 0)
            platform.truncate(at);
    }
    platform = platform.trimmed().toLower();
    return platform == "eglfs" || platform == "linuxfb";
}

} // namespace

bool FramebufferController::isFramebufferPlatform(int argc, char** argv)
{
    // The same choice QGuiApplication makes: the built-in default, replaced
    // by a non-empty QT_QPA_PLATFORM, replaced by the last -platform (or
    // --platform) argument.
    QByteArray platform = QByteArrayLiteral(QT_QPA_DEFAULT_PLATFORM_NAME);
    const QByteArray fromEnvironment = qgetenv("QT_QPA_PLATFORM");
    if (!fromEnvironment.isEmpty())
        platform = fromEnvironment;
    for (int i = 1; argv && i < argc; ++i) {
        if (!argv[i])
            continue;
        const QByteArray argument(argv[i]);
        if ((argument == "-platform" || argument == "--platform") && i + 1 < argc && argv[i + 1]) {
            platform = QByteArray(argv[i + 1]);
            ++i;
        }
    }
    return namesFramebufferPlugin(platform);
}

} // namespace VantoUi
