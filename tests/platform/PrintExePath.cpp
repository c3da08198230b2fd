// Prints the file system service's ExePath, for the test that starts it through a link.
#include <stdio.h>

#include "platform/linux/Services.h"
#include "ui/Text.h"

int main() {
    fputs(ui::ToUtf8(platform::linux_::makeFileSystem()->ExePath()).c_str(), stdout);
    return 0;
}
