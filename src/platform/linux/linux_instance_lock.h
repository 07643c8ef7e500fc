#pragma once

#include "platform/instance_lock.h"

// A lock file held with flock for the life of the process: in $XDG_RUNTIME_DIR
// as name + ".lock", otherwise in the temporary folder as name + "-" + the user
// id + ".lock". The system drops the lock when the process ends, however it ends.
class LinuxInstanceLocks final : public InstanceLocks {
public:
    InstanceLockResult Acquire(const std::string& name, std::unique_ptr<InstanceLockHandle>& handle) override;

    static std::string LockFilePath(const std::string& name);
};
