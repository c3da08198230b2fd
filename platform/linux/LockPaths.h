#pragma once
// Where the lock files of named locks live.
#include <string>

namespace platform::linux_ {

// "Global\name" lives in a folder shared by all users (/tmp/.tovra-locks, sticky and open to
// all), any other name in the user's runtime folder ($XDG_RUNTIME_DIR/tovra-locks, or
// /tmp/tovra-locks-<uid>). Creates the folder; empty when no usable folder exists.
std::string LockFilePath(const std::u16string& name);
// The file name part: the name in UTF-8 with '/' and '%' escaped, shortened by a hash when
// too long for a file name.
std::string LockFileName(const std::u16string& name);
// Opens (creating, never truncating, never through a symbolic link) a lock file for reading
// and writing; -1 on failure.
int OpenLockFile(const std::string& path);

}  // namespace platform::linux_
