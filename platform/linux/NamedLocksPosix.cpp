// Named locks over lock files and open-file-description record locks (F_OFD_SETLK). Byte 0 of
// the file is the lock itself: the kernel drops it when its holder dies, so the next waiter
// gets it. Byte 1 is held shared by every process that has the name open; a process that can
// take it exclusively knows nobody else has. Within a process one entry per name serialises
// the threads and makes the lock recursive for its owner, whatever handle it goes through.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

#include "platform/linux/LockPaths.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

constexpr off_t kLockByte = 0, kPresenceByte = 1;

bool ofdLock(int fd, short type, off_t byte, bool wait) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    for (;;) {
        if (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) == 0) return true;
        if (errno != EINTR) return false;
    }
}

struct Entry {
    std::string path;
    int fd = -1;
    int handles = 0;
    std::mutex m;
    std::condition_variable cv;
    std::thread::id owner;
    int depth = 0;
};

class Registry {
public:
    static Registry& instance() {
        static Registry* r = new Registry;  // lives until exit: handles may outlive statics
        return *r;
    }
    // Entry of `path`, opened if new; null when the lock file cannot be opened.
    Entry* acquire(const std::string& path, bool* alreadyExisted) {
        std::lock_guard<std::mutex> g(FMutex);
        auto it = FEntries.find(path);
        if (it != FEntries.end()) {
            ++it->second->handles;
            if (alreadyExisted) *alreadyExisted = true;
            return it->second;
        }
        int fd = OpenLockFile(path);
        if (fd < 0) return nullptr;
        // Exclusive on the presence byte only if no other process has the name open.
        bool alone = ofdLock(fd, F_WRLCK, kPresenceByte, false);
        if (!(alone ? ofdLock(fd, F_RDLCK, kPresenceByte, false)
                    : ofdLock(fd, F_RDLCK, kPresenceByte, true))) {
            ::close(fd);
            return nullptr;
        }
        if (alreadyExisted) *alreadyExisted = !alone;
        auto* e = new Entry;
        e->path = path;
        e->fd = fd;
        e->handles = 1;
        FEntries[path] = e;
        return e;
    }
    void release(Entry* e) {
        std::lock_guard<std::mutex> g(FMutex);
        if (--e->handles > 0) return;
        FEntries.erase(e->path);
        ::close(e->fd);  // drops both record locks
        delete e;
    }

private:
    std::mutex FMutex;
    std::map<std::string, Entry*> FEntries;
};

class PosixLock final : public NamedLock {
public:
    explicit PosixLock(Entry* e) : FEntry(e) {}
    ~PosixLock() override {
        // Levels this handle took on the destroying thread are given back.
        while (FTaken > 0 && owns()) Release();
        Registry::instance().release(FEntry);
    }

    bool Wait(uint32_t timeoutMs) override {
        Entry& e = *FEntry;
        auto me = std::this_thread::get_id();
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        std::unique_lock<std::mutex> g(e.m);
        if (e.depth > 0 && e.owner == me) {
            ++e.depth;
            ++FTaken;
            return true;
        }
        auto freed = [&] { return e.depth == 0; };
        if (timeoutMs == INFINITE)
            e.cv.wait(g, freed);
        else if (!e.cv.wait_until(g, until, freed))
            return false;
        // Claimed inside the process; the other processes are waited for without the mutex.
        e.owner = me;
        e.depth = 1;
        g.unlock();
        bool got = timeoutMs == INFINITE ? ofdLock(e.fd, F_WRLCK, kLockByte, true)
                                         : pollFileLock(until);
        if (!got) {
            g.lock();
            e.depth = 0;
            e.owner = {};
            e.cv.notify_one();
            return false;
        }
        ++FTaken;
        return true;
    }

    void Release() override {
        Entry& e = *FEntry;
        std::lock_guard<std::mutex> g(e.m);
        if (e.depth == 0 || e.owner != std::this_thread::get_id()) return;
        if (FTaken > 0) --FTaken;
        if (--e.depth > 0) return;
        ofdLock(e.fd, F_UNLCK, kLockByte, false);
        e.owner = {};
        e.cv.notify_one();
    }

private:
    bool owns() {
        std::lock_guard<std::mutex> g(FEntry->m);
        return FEntry->depth > 0 && FEntry->owner == std::this_thread::get_id();
    }
    bool pollFileLock(std::chrono::steady_clock::time_point until) {
        for (;;) {
            if (ofdLock(FEntry->fd, F_WRLCK, kLockByte, false)) return true;
            if (errno != EAGAIN && errno != EACCES) return false;
            if (std::chrono::steady_clock::now() >= until) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    Entry* FEntry;
    int FTaken = 0;  // levels taken through this handle
};

class PosixNamedLocks final : public NamedLocks {
public:
    std::unique_ptr<NamedLock> Create(const std::u16string& name, bool* alreadyExisted) override {
        if (alreadyExisted) *alreadyExisted = false;
        std::string path = LockFilePath(name);
        if (path.empty()) return nullptr;
        Entry* e = Registry::instance().acquire(path, alreadyExisted);
        if (!e) return nullptr;
        return std::make_unique<PosixLock>(e);
    }
};

}  // namespace

std::unique_ptr<NamedLocks> makeNamedLocks() { return std::make_unique<PosixNamedLocks>(); }

}  // namespace platform::linux_
