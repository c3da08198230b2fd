#pragma once
// Machine-wide named locks (the named-mutex equivalent): shared by every process that opens
// the same name, recursive for the owning thread, passed on when a holder dies.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

constexpr uint32_t INFINITE = 0xFFFFFFFF;

class NamedLock {
public:
    virtual ~NamedLock() = default;  // releases what this handle holds, then closes
    // Waits until the calling thread owns the lock; every Wait that succeeded needs a Release.
    // Ownership is per thread and per name: two handles of one name in one process share it.
    // False on timeout or failure.
    virtual bool Wait(uint32_t timeoutMs) = 0;
    // Gives up one level of the calling thread's ownership; nothing when it owns none.
    virtual void Release() = 0;
};

class NamedLocks {
public:
    virtual ~NamedLocks() = default;
    // Opens or creates the lock `name` ("Global\" prefix: shared by all users; otherwise the
    // user's own). `alreadyExisted` tells whether some handle of the name, in this or another
    // live process, was open at that moment. Null when the lock cannot be had at all.
    virtual std::unique_ptr<NamedLock> Create(const std::u16string& name,
                                              bool* alreadyExisted) = 0;
};

}  // namespace platform
