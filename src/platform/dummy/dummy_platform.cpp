// The platform of a system that has nothing: no registry keys, no files, no
// folders, no programs to start, no display. Writes fail, reads find nothing.

#include "platform/platform.h"
#include "platform/reg_file.h"

namespace {

class NoRegistry : public Registry {
public:
    bool KeyExists(RegistryRoot, const std::string&) override { return false; }
    bool CreateKey(RegistryRoot, const std::string&) override { return false; }
    bool DeleteKey(RegistryRoot, const std::string&) override { return true; }
    bool DeleteKeyIfEmpty(RegistryRoot, const std::string&) override { return true; }
    bool ValueExists(RegistryRoot, const std::string&, const std::string&) override { return false; }
    std::optional<std::string> ReadString(RegistryRoot, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::int32_t> ReadInteger(RegistryRoot, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    bool WriteString(RegistryRoot, const std::string&, const std::string&, const std::string&) override
    {
        return false;
    }
    bool WriteInteger(RegistryRoot, const std::string&, const std::string&, std::int32_t) override { return false; }
    bool DeleteValue(RegistryRoot, const std::string&, const std::string&) override { return false; }
};

class NoFiles : public FileSystem {
public:
    bool FolderExists(const std::string&) override { return false; }
    bool FileExists(const std::string&) override { return false; }
    bool IsReadOnly(const std::string&) override { return false; }
    bool CreateFolder(const std::string&) override { return false; }
    bool Copy(const std::string&, const std::string&, bool) override { return false; }
    bool Remove(const std::string&) override { return false; }
    bool RemoveFolder(const std::string&) override { return false; }
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string&) override { return std::nullopt; }
    bool CopyReplacing(const std::string&, const std::string&) override { return false; }
    bool WriteReplacing(const std::string&, const std::string&) override { return false; }
    bool ProbeWritable(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> CreatePrivateFolder(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    bool CreatePrivateProgram(const std::string&, const std::string&) override { return false; }
    bool CreateOwnTextFile(const std::string&, const std::vector<std::string>&) override { return false; }
    bool AppendOwnTextFile(const std::string&, const std::vector<std::string>&) override { return false; }
};

class NoFolders : public SystemFolders {
public:
    std::string WindowsFolder() override { return {}; }
    std::string ProgramFilesFolder() override { return {}; }
    std::string DocumentsFolder() override { return {}; }
    std::string TempFolder() override { return {}; }
    std::string HomeFolder() override { return {}; }
    std::string FirstFallbackFolder() override { return {}; }
    std::string SecondFallbackFolder() override { return {}; }
    std::optional<std::string> SpecialFolder(int) override { return std::nullopt; }
    std::string ExecutablePath() override { return {}; }
    std::string CommandLine() override { return "\"\""; }
};

class NoShell : public Shell {
public:
    int Execute(ShellVerb, const std::string&, const std::string&, const std::string&) override
    {
        return ShellFileNotFound;
    }
    bool CreateLink(const std::string&, const std::string&, const std::string&, const LinkDetails&) override
    {
        return false;
    }
    std::vector<std::string> LinksTo(const std::string&, const std::string&) override { return {}; }
    bool RemoveLink(const std::string&) override { return true; }
};

class NoInstanceLocks : public InstanceLocks {
public:
    InstanceLockResult Acquire(const std::string&, std::unique_ptr<InstanceLockHandle>&) override
    {
        return InstanceLockResult::Failed;
    }
};

class NoDesktop : public Desktop {
public:
    std::vector<DesktopWindow> TopLevelWindows() override { return {}; }
    ScreenMode CurrentScreenMode() override { return {}; }
    void Beep(std::uint32_t) override {}
    void SetCaptionButtons(WindowHandle, std::uint32_t) override {}
    bool FrameOrigin(WindowHandle, std::int32_t&, std::int32_t&) override { return false; }
};

class NoSystemInfo : public SystemInfo {
public:
    std::string ComputerName() override { return {}; }
    std::string UserName() override { return {}; }
    std::int32_t ProcessorClockMHz() override { return 0; }
    MemoryStatus Memory() override { return {}; }
    std::optional<OsVersion> Version() override { return std::nullopt; }
    std::optional<DriveInfo> DriveOf(const std::string&) override { return std::nullopt; }
    std::int64_t FreeBytes(const std::string&) override { return -1; }
    std::vector<DriveInfo> Drives() override { return {}; }
};

struct DummyPlatform {
    NoRegistry registry;
    NoFiles files;
    NoFolders folders;
    NoShell shell;
    NoInstanceLocks instanceLocks;
    NoDesktop desktop;
    NoSystemInfo systemInfo;
    Platform platform{&registry, &files, &folders, &shell, &instanceLocks, &desktop, &systemInfo};
};

} // namespace

Platform& InstallNativePlatform()
{
    static DummyPlatform dummy;
    SetPlatform(&dummy.platform);
    return dummy.platform;
}

std::string RegistryStorePath()
{
    return {};
}
