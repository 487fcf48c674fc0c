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

    // True when the Qt platform plugin that QGuiApplication will load (the
    // -platform argument, else QT_QPA_PLATFORM, else Qt's built-in default)
    // draws to the framebuffer: eglfs or linuxfb, with or without ":options".
    // Off the target (desktop window, Xvfb, offscreen) the depth is left alone.
    static bool isFramebufferPlatform(int argc, char** argv);

private:
    FramebufferController() = default;
    Q_DISABLE_COPY(FramebufferController)
};

} // namespace VantoUi
