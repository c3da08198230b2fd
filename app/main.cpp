// Program entry. Placeholder until the main window lands: runs the message loop.
#include <QApplication>

#include "platform/linux/LinuxPlatform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::linux_::LinuxPlatform platform;
    return platform.loop().Run();
}
