// Program entry: the toolkit and the Linux platform, then the portable program block.
#include <QApplication>
#include <cstdio>
#include <exception>

#include "app/Program.h"
#include "platform/linux/LinuxPlatform.h"

int main(int argc, char** argv) {
    // The program reads no command line, and the toolkit gets none of it either: its own
    // options (-platform, -reverse, -style...) would otherwise change how the program runs.
    int qtArgc = argc > 0 ? 1 : 0;
    char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("QV Tovra"));
    // The program lives in the tray: closing the settings window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::linux_::LinuxPlatform platform;
    try {
        return app::RunProgram();
    } catch (const std::exception& e) {
        // The settings are saved by then; what is left is to say why the program ended.
        std::fprintf(stderr, "tovra: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "tovra: ended by an unexpected error\n");
    }
    return 1;
}
