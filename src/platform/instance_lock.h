#pragma once

#include <memory>
#include <string>

// A named lock held by the running program, so that a second start can tell
// that the first is still running. The lock is held until the handle goes.

class InstanceLockHandle {
public:
    virtual ~InstanceLockHandle() = default;
};

enum class InstanceLockResult { Acquired, HeldElsewhere, Failed };

class InstanceLocks {
public:
    virtual ~InstanceLocks() = default;
    // On Acquired, handle holds the lock; otherwise it is left empty.
    virtual InstanceLockResult Acquire(const std::string& name, std::unique_ptr<InstanceLockHandle>& handle) = 0;
};
