#include <vantoui/framebuffercontroller.h>
#include <vantoui/globals.h>

#include "systemroot.h"

#include <QByteArray>
#include <QFile>

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
    // "eglfs:fb=/dev/fb1" selects the eglfs plugin with options.
    const int colon = platform.indexOf(':');
    if (colon >= 0)
        platform.truncate(colon);
    platform = platform.trimmed().toLower();
    return platform == "eglfs" || platform == "linuxfb";
}

} // namespace

bool FramebufferController::isFramebufferPlatform(int argc, char** argv)
{
    // Qt itself lets the last -platform (or --platform) argument override
    // QT_QPA_PLATFORM; follow the same rule.
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
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
