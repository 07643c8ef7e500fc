#include "platform/atomic_file.h"

#include "platform/linux/write_all.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kMostLinks = 40;
constexpr char kTemporaryMark[] = ".tmp-";

[[noreturn]] void ThrowReplaceError(const char* what, const fs::path& path, int reason)
{
    throw fs::filesystem_error(what, path, std::error_code(reason, std::generic_category()));
}

fs::path FolderOf(const fs::path& path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// Other users may put entries into a sticky or world-writable folder.
bool IsSharedFolder(const fs::path& folder)
{
    struct stat entry {};
    return ::stat(folder.c_str(), &entry) == 0 && (entry.st_mode & (S_ISVTX | S_IWOTH)) != 0;
}

// The file a write of path replaces: path itself, or what the links there name.
// A link in a shared folder may have been planted by anyone, so it is not followed.
fs::path FileToReplace(const fs::path& path)
{
    fs::path current = path;
    for (int links = 0;; ++links) {
        struct stat entry {};
        if (::lstat(current.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode))
            return current;
        if (links == kMostLinks)
            ThrowReplaceError("cannot write", path, ELOOP);
        if (IsSharedFolder(FolderOf(current)))
            ThrowReplaceError("will not follow a link in a folder other users can write to", current, ELOOP);
        const fs::path next = fs::read_symlink(current);
        current = next.is_absolute() ? next : FolderOf(current) / next;
    }
}

mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (!line.starts_with("Umask:"))
            continue;
        const std::size_t digits = line.find_first_of("01234567");
        unsigned mask = 0;
        if (digits != std::string::npos &&
            std::from_chars(line.data() + digits, line.data() + line.size(), mask, 8).ec == std::errc())
            return static_cast<mode_t>(mask);
    }
    const mode_t mask = ::umask(022); // asking changes it: put it back at once
    ::umask(mask);
    return mask;
}

// The new file's mode: what was asked for within the umask, else the old file's,
// else the umask's default; never writable by others, and private in a shared folder.
mode_t ModeOf(const fs::path& file, std::optional<fs::perms> requested)
{
    struct stat old {};
    mode_t mode = 0;
    if (requested)
        mode = static_cast<mode_t>(*requested) & ~CurrentUmask();
    else if (::lstat(file.c_str(), &old) == 0)
        mode = old.st_mode;
    else
        mode = 0666 & ~CurrentUmask();
    mode &= 0777 & ~S_IWOTH;
    return IsSharedFolder(FolderOf(file)) ? mode & S_IRWXU : mode;
}

// A name beside file that no other writer, in this process or another, picks:
// file + ".tmp-" + process id + "-" + count.
fs::path TemporaryNameBeside(const fs::path& file)
{
    static std::atomic<unsigned> counter{0};
    fs::path temporary = file;
    temporary += kTemporaryMark + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return temporary;
}

// The process that made a temporary file beside file, from its name; 0 for another name.
pid_t WriterOf(const std::string& name, const std::string& file)
{
    const std::string prefix = file + kTemporaryMark;
    if (!name.starts_with(prefix))
        return 0;
    const char* begin = name.data() + prefix.size();
    const char* end = name.data() + name.size();
    pid_t writer = 0;
    const auto [dash, error] = std::from_chars(begin, end, writer);
    unsigned count = 0;
    if (error != std::errc() || dash == end || *dash != '-' || std::from_chars(dash + 1, end, count).ptr != end ||
        dash + 1 == end)
        return 0;
    return writer;
}

// A write that was killed midway leaves its temporary file behind: those of
// ours whose writer no longer runs are removed.
void RemoveAbandonedTemporaries(const fs::path& file)
{
    std::error_code error;
    const std::string name = file.filename().string();
    for (fs::directory_iterator entry(FolderOf(file), error), end; !error && entry != end; entry.increment(error)) {
        const pid_t writer = WriterOf(entry->path().filename().string(), name);
        if (writer <= 0 || writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        struct stat temporary {};
        if (::lstat(entry->path().c_str(), &temporary) == 0 && S_ISREG(temporary.st_mode) &&
            temporary.st_uid == ::geteuid())
            ::unlink(entry->path().c_str());
    }
}

} // namespace

void ReplaceFileAtomically(const fs::path& path, std::string_view bytes, std::optional<fs::perms> permissions)
{
    const fs::path file = FileToReplace(path);
    struct stat old {};
    if (::lstat(file.c_str(), &old) == 0 && old.st_uid != ::geteuid())
        ThrowReplaceError("will not replace a file of another user", file, EPERM);
    RemoveAbandonedTemporaries(file);

    const mode_t mode = ModeOf(file, permissions);
    const fs::path temporary = TemporaryNameBeside(file);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        ThrowReplaceError("cannot create a file beside", file, errno);
    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int reason = errno;
    if (written && ::fchmod(fd, mode) != 0) {
        written = false;
        reason = errno;
    }
    if (::close(fd) != 0 && written) {
        written = false;
        reason = errno;
    }
    if (written && ::rename(temporary.c_str(), file.c_str()) == 0)
        return;
    reason = written ? errno : reason;
    ::unlink(temporary.c_str());
    ThrowReplaceError("cannot write", file, reason);
}

bool SystemRefusesWriting(const std::string& path)
{
    return ::access(path.c_str(), W_OK) != 0;
}
