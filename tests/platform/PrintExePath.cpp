// Prints the file system service's ExePath, for the tests that start it through a link or
// from a copy that it deletes first ("--unlink-self": an executable replaced while running).
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "platform/linux/Services.h"
#include "ui/Text.h"

int main(int argc, char** argv) {
    if (argc > 1 && strcmp(argv[1], "--unlink-self") == 0) {
        char self[PATH_MAX];
        if (!realpath("/proc/self/exe", self) || unlink(self) != 0) return 1;
    }
    fputs(ui::ToUtf8(platform::linux_::makeFileSystem()->ExePath()).c_str(), stdout);
    return 0;
}
