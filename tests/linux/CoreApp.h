#pragma once
// The one QCoreApplication of a test executable that links the real services without widgets.
#include <QCoreApplication>

inline QCoreApplication& coreApp() {
    static int argc = 1;
    static char name[] = "linux_session_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication a(argc, argv);
    return a;
}
