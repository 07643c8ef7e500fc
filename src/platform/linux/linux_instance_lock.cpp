#include "platform/linux/linux_instance_lock.h"

#include "platform/linux/linux_paths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

class LockFile final : public InstanceLockHandle {
public:
    explicit LockFile(int fd) : fd_(fd) {}
    ~LockFile() override { close(fd_); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

private:
    int fd_;
};

std::string SafeName(std::string name)
{
    for (char& c : name)
        if (c == '/')
            c = '_';
    return NativePath(name);
}

} // namespace

std::string LinuxInstanceLocks::LockFilePath(const std::string& name)
{
    const std::string runtime = RuntimePath();
    if (!runtime.empty())
        return runtime + "/" + SafeName(name) + ".lock";
    return TempPath() + "/" + SafeName(name) + "-" + std::to_string(getuid()) + ".lock";
}

InstanceLockResult LinuxInstanceLocks::Acquire(const std::string& name, std::unique_ptr<InstanceLockHandle>& handle)
{
    // Not inherited by the programs this one starts, or they would keep the lock.
    const int fd = open(LockFilePath(name).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return InstanceLockResult::Failed;
    struct stat file {};
    if (fstat(fd, &file) != 0 || !S_ISREG(file.st_mode) || file.st_uid != geteuid()) {
        close(fd);
        return InstanceLockResult::Failed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(fd);
        return held ? InstanceLockResult::HeldElsewhere : InstanceLockResult::Failed;
    }
    handle = std::make_unique<LockFile>(fd);
    return InstanceLockResult::Acquired;
}
