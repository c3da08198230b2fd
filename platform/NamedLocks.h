#pragma once
// Machine-wide named locks (the named-mutex equivalent). Draft; the settings-file work owns it.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

constexpr uint32_t INFINITE = 0xFFFFFFFF;

class NamedLock {
public:
    virtual ~NamedLock() = default;  // releases if held, closes
    // Waits until owned (recursive for the owning thread). False on timeout or failure.
    virtual bool Wait(uint32_t timeoutMs) = 0;
    virtual void Release() = 0;
};

class NamedLocks {
public:
    virtual ~NamedLocks() = default;
    // Opens or creates the lock `name`. `alreadyExisted` tells whether another holder of the
    // name (this or another process) had it open. Null when it cannot be had at all.
    virtual std::unique_ptr<NamedLock> Create(const std::u16string& name,
                                              bool* alreadyExisted) = 0;
};

}  // namespace platform
