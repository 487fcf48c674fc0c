#pragma once

#include <vantoui/vantoui_global.h>

#include <QObject>

namespace VantoUi {

// Sets the colour depth of the Linux framebuffer named by fb_device. Any
// failure ends the process: the GUI cannot draw on a framebuffer it could
// not configure.
class VANTOUI_EXPORT FramebufferController : public QObject
{
    Q_OBJECT
public:
    static FramebufferController* getInstance();

    void setFrameBufferDepth(int depth);

    // True when the Qt platform plugin that will be loaded (the -platform
    // argument, else QT_QPA_PLATFORM) draws to the framebuffer: eglfs or
    // linuxfb, with or without ":options".
    static bool isFramebufferPlatform(int argc, char** argv);

private:
    FramebufferController() = default;
    Q_DISABLE_COPY(FramebufferController)
};

} // namespace VantoUi
