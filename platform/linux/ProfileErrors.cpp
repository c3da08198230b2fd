#include "platform/linux/ProfileErrors.h"

#include <cerrno>
#include <cstring>

#include "platform/ProfileFiles.h"
#include "platform/linux/ProfileMessages.h"
#include "ui/Text.h"

namespace platform::linux_ {
namespace {
constexpr uint32_t kErrnoBase = 0x20000000;  // the customer range: no system code uses it
}  // namespace

uint32_t ErrnoToError(int err) {
    using namespace platform::profile;
    switch (err) {
        case ENOENT:
        case ENOTDIR: return ERROR_PATH_NOT_FOUND;
        case ENAMETOOLONG: return ERROR_BUFFER_OVERFLOW;
        case ENOSPC:
        case EDQUOT: return ERROR_DISK_FULL;
        case EINVAL:
        case EILSEQ: return ERROR_INVALID_NAME;
        case EACCES:
        case EPERM:
        case EISDIR: return ERROR_ACCESS_DENIED;
        case EROFS: return ERROR_WRITE_PROTECT;
        case EBUSY:
        case ETXTBSY:
        case EAGAIN: return ERROR_SHARING_VIOLATION;
        case EMFILE:
        case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
        case EIO: return ERROR_IO_DEVICE;
        case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
        default: return kErrnoBase + uint32_t(err);
    }
}

std::u16string ErrorText(uint32_t code) {
    if (code > kErrnoBase && code < kErrnoBase + 4096) {
        char buf[256];
        const char* s = ::strerror_r(int(code - kErrnoBase), buf, sizeof buf);
        return ui::FromUtf8(s) + u".";
    }
    return platform::profile::ErrorMessage(code);
}

}  // namespace platform::linux_
