// Runs the comm control in a process of its own, so tests can watch how the
// process ends when the line becomes unusable.
#include "rimocommcontrol.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    rimoCommControl control;
    std::printf("linkprobe: ready dbm=%d\n", control.getDBM());
    std::fflush(stdout);
    return app.exec();
}
