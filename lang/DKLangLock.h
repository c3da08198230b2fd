#pragma once
// A multi-reader, single-writer lock that a thread may re-enter: reads nest, a writer may
// read, and the only reader may become the writer (event handlers run under a read lock and
// may register or remove controllers).
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace lang {

class TDKLang_MREWLock {
public:
    void BeginRead();
    void EndRead();
    void BeginWrite();
    void EndWrite();

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    std::map<std::thread::id, int> FReaders;
    std::thread::id FWriter;
    int FWriteDepth = 0;
};

class TReadGuard {
public:
    explicit TReadGuard(TDKLang_MREWLock& L) : FLock(L) { FLock.BeginRead(); }
    ~TReadGuard() { FLock.EndRead(); }
    TReadGuard(const TReadGuard&) = delete;
    TReadGuard& operator=(const TReadGuard&) = delete;

private:
    TDKLang_MREWLock& FLock;
};

class TWriteGuard {
public:
    explicit TWriteGuard(TDKLang_MREWLock& L) : FLock(L) { FLock.BeginWrite(); }
    ~TWriteGuard() { FLock.EndWrite(); }
    TWriteGuard(const TWriteGuard&) = delete;
    TWriteGuard& operator=(const TWriteGuard&) = delete;

private:
    TDKLang_MREWLock& FLock;
};

}  // namespace lang
