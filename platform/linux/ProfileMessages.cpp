#include "platform/linux/ProfileMessages.h"

#include "platform/ProfileFiles.h"
#include "ui/Exceptions.h"

namespace platform::profile {
std::u16string ErrorMessage(uint32_t code) {
    switch (code) {
        case 0: return u"The operation completed successfully.";
        case ERROR_FILE_NOT_FOUND: return u"The system cannot find the file specified.";
        case ERROR_PATH_NOT_FOUND: return u"The system cannot find the path specified.";
        case ERROR_TOO_MANY_OPEN_FILES: return u"The system cannot open the file.";
        case ERROR_ACCESS_DENIED: return u"Access is denied.";
        case ERROR_WRITE_PROTECT: return u"The media is write protected.";
        case ERROR_SHARING_VIOLATION:
            return u"The process cannot access the file because it is being used by another "
                   u"process.";
        case ERROR_INVALID_PARAMETER: return u"The parameter is incorrect.";
        case ERROR_BUFFER_OVERFLOW: return u"The file name is too long.";
        case ERROR_DISK_FULL: return u"There is not enough space on the disk.";
        case ERROR_INVALID_NAME:
            return u"The filename, directory name, or volume label syntax is incorrect.";
        case ERROR_IO_DEVICE:
            return u"The request could not be performed because of an I/O device error.";
        case ERROR_CANT_RESOLVE_FILENAME: return u"The name of the file cannot be resolved by the system.";
        default: break;
    }
    return ui::Format(u"System error %d.", {int64_t(code)});
}

}  // namespace platform::profile
