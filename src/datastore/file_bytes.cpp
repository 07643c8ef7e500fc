#include "datastore/file_bytes.h"

#include <atomic>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowFileError(const char* what, const std::string& path)
{
    const int error = errno != 0 ? errno : EIO;
    throw std::system_error(error, std::generic_category(), std::string(what) + " \"" + path + "\"");
}

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

std::string ReadFileBytes(const std::string& path)
{
    std::error_code ignored;
    errno = std::filesystem::is_directory(path, ignored) ? EISDIR : 0;
    if (errno != 0)
        ThrowFileError("cannot read", path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ThrowFileError("cannot open", path);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        ThrowFileError("cannot read", path);
    return bytes;
}

void WriteFileBytes(const std::string& path, std::string_view bytes)
{
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        ThrowFileError("cannot create", path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        ThrowFileError("cannot write", path);
}

void ReplaceFileBytes(const std::string& path, std::string_view bytes, std::optional<fs::perms> permissions)
{
    std::error_code error;
    const fs::path target = fs::is_symlink(path, error) ? fs::weakly_canonical(path) : fs::path(path);
    if (!permissions) {
        const fs::file_status old = fs::status(target, error);
        if (fs::exists(old))
            permissions = old.permissions();
    }

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

bool IsWriteProtected(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        return false;
    const fs::perms writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writeBits) == fs::perms::none || ::access(path.c_str(), W_OK) != 0;
}
