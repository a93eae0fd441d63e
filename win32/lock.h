// A slim reader/writer lock and its scope guards, for module-wide state that sheets on several
// threads share. Hold it briefly, never across a message send or a call into other code.
#pragma once

#include <windows.h>

namespace zr640::win {

class Lock {
public:
    Lock() = default;
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    SRWLOCK* get() { return &lock_; }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

class Exclusive {
public:
    explicit Exclusive(Lock& lock) : lock_(lock.get()) { AcquireSRWLockExclusive(lock_); }
    ~Exclusive() { ReleaseSRWLockExclusive(lock_); }
    Exclusive(const Exclusive&) = delete;
    Exclusive& operator=(const Exclusive&) = delete;

private:
    SRWLOCK* lock_;
};

class Shared {
public:
    explicit Shared(Lock& lock) : lock_(lock.get()) { AcquireSRWLockShared(lock_); }
    ~Shared() { ReleaseSRWLockShared(lock_); }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

private:
    SRWLOCK* lock_;
};

}  // namespace zr640::win
