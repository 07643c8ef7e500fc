#include "platform/linux/linux_registry.h"

#include "platform/ansi_utf8.h"
#include "platform/linux/linux_paths.h"
#include "support/messages.h"

#include <fcntl.h>
#include <sys/file.h>
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

bool WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string TrimBackslashes(const std::string& key)
{
    std::string path;
    std::string level;
    std::istringstream levels(key);
    while (std::getline(levels, level, '\\'))
        if (!level.empty())
            path += (path.empty() ? "" : "\\") + level;
    return path;
}

} // namespace

std::string RegKeyPath(RegistryRoot root, const std::string& key)
{
    const std::string rootName = root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    const std::string levels = TrimBackslashes(key);
    return levels.empty() ? rootName : rootName + "\\" + levels;
}

LinuxRegistry::LinuxRegistry(std::string storePath) : storePath_(std::move(storePath)) {}

std::string LinuxRegistry::DefaultStorePath()
{
    return ConfigHomePath() + "/tapsody/registry.reg";
}

RegDocument LinuxRegistry::Load()
{
    std::ifstream file(storePath_, std::ios::binary);
    if (!file)
        return {};
    std::ostringstream text;
    text << file.rdbuf();
    RegParseResult parsed = ParseRegText(text.str());
    if (parsed.document)
        return std::move(*parsed.document);
    const std::string aside = SetAside(storePath_);
    ShowPlainMessage("Registrierungsdatei " + Utf8ToAnsi(storePath_) + " ist besch\xE4" "digt (Zeile " +
                     std::to_string(parsed.errorLine) + ": " + parsed.error + ")" +
                     (aside.empty() ? std::string() : "; beiseitegelegt als " + Utf8ToAnsi(aside)));
    return {};
}

bool LinuxRegistry::Store(const RegDocument& document)
{
    std::string temporary = storePath_ + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, FormatRegText(document)) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (written && closed && std::rename(temporary.c_str(), storePath_.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
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
    RegDocument document;
    if (std::filesystem::exists(storePath_)) {
        StoreLock lock(storePath_);
        document = Load();
    }
    look(document);
}

bool LinuxRegistry::KeyExists(RegistryRoot root, const std::string& key)
{
    bool exists = false;
    Inspect([&](RegDocument& document) { exists = document.HasKey(RegKeyPath(root, key)); });
    return exists;
}

bool LinuxRegistry::CreateKey(RegistryRoot root, const std::string& key)
{
    const std::string path = RegKeyPath(root, key);
    if (KeyExists(root, key))
        return true;
    return Update([&](RegDocument& document) {
        if (document.HasKey(path))
            return false;
        document.AddKey(path);
        return true;
    });
}

bool LinuxRegistry::DeleteKey(RegistryRoot root, const std::string& key)
{
    const std::string path = RegKeyPath(root, key);
    return Update([&](RegDocument& document) { return document.RemoveKey(path); });
}

bool LinuxRegistry::ValueExists(RegistryRoot root, const std::string& key, const std::string& name)
{
    bool exists = false;
    Inspect([&](RegDocument& document) {
        RegKey* found = document.FindKey(RegKeyPath(root, key));
        exists = found && RegDocument::FindValue(*found, name);
    });
    return exists;
}

std::optional<std::string> LinuxRegistry::ReadString(RegistryRoot root, const std::string& key,
                                                     const std::string& name)
{
    std::optional<std::string> result;
    Inspect([&](RegDocument& document) {
        RegKey* found = document.FindKey(RegKeyPath(root, key));
        const RegValue* value = found ? RegDocument::FindValue(*found, name) : nullptr;
        if (value && value->type == RegValue::Type::String)
            result = value->text;
    });
    return result;
}

std::optional<std::int32_t> LinuxRegistry::ReadInteger(RegistryRoot root, const std::string& key,
                                                       const std::string& name)
{
    std::optional<std::int32_t> result;
    Inspect([&](RegDocument& document) {
        RegKey* found = document.FindKey(RegKeyPath(root, key));
        const RegValue* value = found ? RegDocument::FindValue(*found, name) : nullptr;
        if (value && value->type == RegValue::Type::Dword)
            result = static_cast<std::int32_t>(value->dword);
    });
    return result;
}

namespace {

bool SetValue(RegDocument& document, const std::string& path, const RegValue& value)
{
    RegKey* key = document.FindKey(path);
    if (!key)
        key = &document.AddKey(path);
    if (RegValue* old = RegDocument::FindValue(*key, value.name)) {
        const bool same = old->type == value.type && old->text == value.text && old->dword == value.dword;
        *old = RegValue{old->name, value.type, value.text, value.dword};
        return !same;
    }
    key->values.push_back(value);
    return true;
}

} // namespace

bool LinuxRegistry::WriteString(RegistryRoot root, const std::string& key, const std::string& name,
                                const std::string& value)
{
    const std::string path = RegKeyPath(root, key);
    return Update([&](RegDocument& document) {
        return SetValue(document, path, RegValue{name, RegValue::Type::String, value, 0});
    });
}

bool LinuxRegistry::WriteInteger(RegistryRoot root, const std::string& key, const std::string& name,
                                 std::int32_t value)
{
    const std::string path = RegKeyPath(root, key);
    return Update([&](RegDocument& document) {
        return SetValue(document, path, RegValue{name, RegValue::Type::Dword, {}, static_cast<std::uint32_t>(value)});
    });
}

bool LinuxRegistry::DeleteValue(RegistryRoot root, const std::string& key, const std::string& name)
{
    const std::string path = RegKeyPath(root, key);
    return Update([&](RegDocument& document) {
        RegKey* found = document.FindKey(path);
        return found && RegDocument::RemoveValue(*found, name);
    });
}
