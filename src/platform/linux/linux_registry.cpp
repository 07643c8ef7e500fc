#include "platform/linux/linux_registry.h"

#include "datastore/file_bytes.h"
#include "platform/ansi_utf8.h"
#include "platform/linux/linux_paths.h"
#include "platform/reg_file.h"
#include "support/messages.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// The store's lock, on a file of its own so that renaming the store keeps it.
class StoreLock {
public:
    explicit StoreLock(const std::string& storePath)
        : fd_(open((storePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600))
    {
        if (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
            close(fd_);
            fd_ = -1;
        }
    }
    ~StoreLock()
    {
        if (fd_ >= 0)
            close(fd_); // closing releases the lock
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    bool Held() const { return fd_ >= 0; }

private:
    int fd_;
};

std::string TimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Moves a damaged store aside under a name not taken yet; returns that name.
std::string SetAside(const std::string& storePath)
{
    const std::string base = storePath + ".damaged-" + TimeStamp();
    std::string target = base;
    for (int n = 2; std::filesystem::exists(target); ++n)
        target = base + "-" + std::to_string(n);
    std::error_code error;
    std::filesystem::rename(storePath, target, error);
    return error ? std::string() : target;
}

} // namespace

LinuxRegistry::LinuxRegistry(std::string storePath) : storePath_(std::move(storePath))
{
}

std::string LinuxRegistry::DefaultStorePath()
{
    return ConfigHomePath() + "/tapsody/registry.reg";
}

std::optional<LinuxRegistry::FileVersion> LinuxRegistry::CurrentVersion() const
{
    struct stat status {};
    if (stat(storePath_.c_str(), &status) != 0)
        return std::nullopt;
    const auto nanoseconds = [](const timespec& time) { return time.tv_sec * 1000000000LL + time.tv_nsec; };
    return FileVersion{status.st_dev, status.st_ino, static_cast<unsigned long long>(status.st_size),
                       nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

std::optional<RegDocument> LinuxRegistry::Kept(const std::optional<FileVersion>& version)
{
    const std::lock_guard guard(snapshotMutex_);
    if (version && snapshot_ && snapshot_->version == *version)
        return snapshot_->document;
    return std::nullopt;
}

// Called under the store's lock, right after the file was read or written.
void LinuxRegistry::Keep(const RegDocument& document)
{
    const std::optional<FileVersion> version = CurrentVersion();
    const std::lock_guard guard(snapshotMutex_);
    if (version)
        snapshot_ = Snapshot{*version, document};
    else
        snapshot_.reset();
}

RegDocument LinuxRegistry::Load()
{
    if (std::optional<RegDocument> kept = Kept(CurrentVersion()))
        return std::move(*kept);
    std::ifstream file(storePath_, std::ios::binary);
    if (!file)
        return {};
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::optional<std::string> text = DecodeRegFile(bytes.str());
    RegParseResult parsed =
        text ? ParseRegText(*text) : RegParseResult{std::nullopt, 1, "der Text ist kein g\xFCltiges UTF-16"};
    if (parsed.document) {
        Keep(*parsed.document);
        return std::move(*parsed.document);
    }
    const std::string aside = SetAside(storePath_);
    ShowPlainMessage("Registrierungsdatei " + Utf8ToAnsi(storePath_) +
                     " ist besch\xE4"
                     "digt (Zeile " +
                     std::to_string(parsed.errorLine) + ": " + parsed.error + ")" +
                     (aside.empty() ? std::string() : "; beiseitegelegt als " + Utf8ToAnsi(aside)));
    return {};
}

bool LinuxRegistry::Store(const RegDocument& document)
{
    try {
        ReplaceFileBytes(storePath_, EncodeRegFile(FormatRegText(document)));
        Keep(document);
        return true;
    } catch (const std::filesystem::filesystem_error&) {
        return false;
    }
}

bool LinuxRegistry::Update(const std::function<bool(RegDocument&)>& change)
{
    if (!MakeFolders(std::filesystem::path(storePath_).parent_path().string()))
        return false;
    StoreLock lock(storePath_);
    if (!lock.Held())
        return false;
    RegDocument document = Load();
    if (!change(document))
        return true;
    return Store(document);
}

void LinuxRegistry::Inspect(const std::function<void(RegDocument&)>& look)
{
    const std::optional<FileVersion> version = CurrentVersion();
    {
        // The file is only ever replaced whole, so a version kept needs no lock.
        const std::lock_guard guard(snapshotMutex_);
        if (version && snapshot_ && snapshot_->version == *version) {
            look(snapshot_->document);
            return;
        }
    }
    RegDocument document;
    if (version) {
        StoreLock lock(storePath_);
        document = Load();
    }
    look(document);
}

std::string RegistryStorePath()
{
    return LinuxRegistry::DefaultStorePath();
}
