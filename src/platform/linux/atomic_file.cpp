#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowReplaceError(const char* what, const fs::path& path, int reason)
{
    throw fs::filesystem_error(what, path, std::error_code(reason, std::generic_category()));
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A name beside target that no other writer, in this process or another, picks.
fs::path TemporaryNameBeside(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    fs::path temporary = target;
    temporary += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return temporary;
}

} // namespace

void ReplaceFileAtomically(const fs::path& target, std::string_view bytes, std::optional<fs::perms> permissions)
{
    const fs::path temporary = TemporaryNameBeside(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        ThrowReplaceError("cannot create a file beside", target, errno);
    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int reason = errno;
    if (permissions && written && ::fchmod(fd, static_cast<mode_t>(*permissions)) != 0) {
        written = false;
        reason = errno;
    }
    if (::close(fd) != 0 && written) {
        written = false;
        reason = errno;
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) == 0)
        return;
    reason = written ? errno : reason;
    ::unlink(temporary.c_str());
    ThrowReplaceError("cannot write", target, reason);
}

bool SystemRefusesWriting(const std::string& path)
{
    return ::access(path.c_str(), W_OK) != 0;
}
