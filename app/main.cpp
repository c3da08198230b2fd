// Program entry: the toolkit and the Linux platform, then the portable program block.
#include <QApplication>

#include "app/Program.h"
#include "platform/linux/LinuxPlatform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QV Tovra"));
    // The program lives in the tray: closing the settings window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::linux_::LinuxPlatform platform;
    return app::RunProgram();
}
