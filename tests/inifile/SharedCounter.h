#pragma once
// One locked read-increment-write of [Counter] Value through a fresh object: the cycle that
// threads and processes repeat to show that no update is lost.
#include <string>

#include "inifile/SafeIniFiles.h"

namespace inifile::testing {

inline void IncrementSharedCounter(const std::u16string& file) {
    TSafeIniFile ini(file);
    ini.Lock();
    int32_t v = ini.ReadInteger(u"Counter", u"Value", 0);
    ini.WriteInteger(u"Counter", u"Value", v + 1);
    ini.UnLock();
}

}  // namespace inifile::testing
