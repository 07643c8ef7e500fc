#include "platform/linux/linux_files.h"

#include "datastore/file_bytes.h"
#include "platform/ansi_utf8.h"
#include "platform/linux/linux_paths.h"
#include "platform/linux/network_wait.h"
#include "platform/linux/write_all.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

// Removes what stands at path when it belongs to us (a file or a link, never
// another user's); true when nothing stands there afterwards.
bool RemoveOwnEntry(const std::string& path)
{
    struct stat entry {};
    if (lstat(path.c_str(), &entry) != 0)
        return errno == ENOENT;
    if (entry.st_uid != geteuid() || S_ISDIR(entry.st_mode))
        return false;
    return unlink(path.c_str()) == 0;
}

// An open descriptor is usable for our text only when it is a plain file of ours.
bool IsOwnPlainFile(int fd)
{
    struct stat file {};
    return fstat(fd, &file) == 0 && S_ISREG(file.st_mode) && file.st_uid == geteuid();
}

bool WriteLines(int fd, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return WriteAll(fd, text);
}

bool WriteAndClose(int fd, const std::vector<std::string>& lines)
{
    const bool written = IsOwnPlainFile(fd) && WriteLines(fd, lines);
    return close(fd) == 0 && written;
}

bool IsFolder(const std::string& nativePath)
{
    struct stat entry {};
    return stat(nativePath.c_str(), &entry) == 0 && S_ISDIR(entry.st_mode);
}

std::optional<std::vector<FolderEntry>> ReadFolder(const std::string& nativePath)
{
    std::error_code error;
    std::filesystem::directory_iterator entry(nativePath, error);
    if (error)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    // An entry that goes wrong midway ends the listing with what was read.
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::error_code typeError;
        entries.push_back({Utf8ToAnsi(entry->path().filename().string()), entry->is_directory(typeError)});
    }
    return entries;
}

} // namespace

bool LinuxFileSystem::FolderExists(const std::string& path)
{
    if (path.empty())
        return false;
    const std::string native = NativePath(path);
    return AnsweredInTime<bool>(
        native, [native] { return IsFolder(native); }, false);
}

bool LinuxFileSystem::FileExists(const std::string& path)
{
    struct stat entry {};
    return !path.empty() && stat(NativePath(path).c_str(), &entry) == 0 && !S_ISDIR(entry.st_mode);
}

bool LinuxFileSystem::IsReadOnly(const std::string& path)
{
    return !path.empty() && IsWriteProtected(NativePath(path));
}

bool LinuxFileSystem::CreateFolder(const std::string& path)
{
    const std::string native = NativePath(path);
    return AnsweredInTime<bool>(
        native, [native] { return mkdir(native.c_str(), 0777) == 0; }, false);
}

bool LinuxFileSystem::Copy(const std::string& source, const std::string& target, bool overwrite)
{
    std::error_code error;
    const auto options =
        overwrite ? std::filesystem::copy_options::overwrite_existing : std::filesystem::copy_options::none;
    return std::filesystem::copy_file(NativePath(source), NativePath(target), options, error) && !error;
}

bool LinuxFileSystem::Remove(const std::string& path)
{
    return unlink(NativePath(path).c_str()) == 0;
}

bool LinuxFileSystem::RemoveFolder(const std::string& path)
{
    return rmdir(NativePath(path).c_str()) == 0;
}

std::optional<std::vector<FolderEntry>> LinuxFileSystem::ListFolder(const std::string& path)
{
    using Listing = std::optional<std::vector<FolderEntry>>;
    const std::string native = NativePath(path);
    return AnsweredInTime<Listing>(
        native, [native] { return ReadFolder(native); }, std::nullopt);
}

bool LinuxFileSystem::CopyReplacing(const std::string& source, const std::string& target)
{
    try {
        const std::string from = NativePath(source);
        const std::string bytes = ReadFileBytes(from);
        ReplaceFileBytes(NativePath(target), bytes, std::filesystem::status(from).permissions());
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

bool LinuxFileSystem::WriteReplacing(const std::string& path, const std::string& bytes)
{
    try {
        ReplaceFileBytes(NativePath(path), bytes);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

bool LinuxFileSystem::ProbeWritable(const std::string& folder, const std::string& name)
{
    const std::string path = NativePath(folder + name);
    int fd = open(path.c_str(), kNewFileFlags, 0600);
    if (fd < 0 && errno == EEXIST && RemoveOwnEntry(path)) // left over from an earlier start
        fd = open(path.c_str(), kNewFileFlags, 0600);
    if (fd < 0)
        return false;
    close(fd);
    unlink(path.c_str());
    return true;
}

bool LinuxFileSystem::CreateOwnTextFile(const std::string& path, const std::vector<std::string>& lines)
{
    const std::string native = NativePath(path);
    if (!RemoveOwnEntry(native))
        return false;
    const int fd = open(native.c_str(), kNewFileFlags, 0600);
    return fd >= 0 && WriteAndClose(fd, lines);
}

bool LinuxFileSystem::AppendOwnTextFile(const std::string& path, const std::vector<std::string>& lines)
{
    const std::string native = NativePath(path);
    int fd = open(native.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        fd = open(native.c_str(), kNewFileFlags, 0600);
    return fd >= 0 && WriteAndClose(fd, lines);
}

std::optional<std::string> LinuxFileSystem::CreatePrivateFolder(const std::string& parent, const std::string& prefix)
{
    // mkdtemp makes the folder itself, with mode 0700, under a name nobody had.
    std::string name = NativePath(parent + prefix) + "XXXXXX";
    if (!mkdtemp(name.data()))
        return std::nullopt;
    return AnsiFolder(name);
}

bool LinuxFileSystem::CreatePrivateProgram(const std::string& path, const std::string& bytes)
{
    const std::string native = NativePath(path);
    const int fd = open(native.c_str(), kNewFileFlags, 0700);
    if (fd < 0)
        return false;
    // The mode is set again, since the umask may have taken bits from it.
    const bool written = fchmod(fd, 0700) == 0 && WriteAll(fd, bytes);
    if (close(fd) == 0 && written)
        return true;
    unlink(native.c_str());
    return false;
}
