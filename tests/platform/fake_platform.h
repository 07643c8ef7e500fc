#pragma once

#include "platform/document_registry.h"
#include "platform/platform.h"
#include "support/messages.h"

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

// Fakes of every platform interface for tests: folders and files in memory,
// programs and documents only recorded, and fixed machine facts. A FakePlatform
// installs itself (and a recording message service) while it lives.

class FakeFileSystem final : public FileSystem {
public:
    std::set<std::string> folders;            // each ending in "/"
    std::map<std::string, std::string> files; // path -> content (lines end in CR LF)
    std::set<std::string> readOnly;           // paths
    std::set<std::string> unwritableFolders;  // no file can be made here
    std::set<std::string> unreadableFolders;  // their entries cannot be listed
    std::set<std::string> undeletable;        // files and folders Remove and RemoveFolder keep
    std::vector<std::string> calls;           // "mkdir <path>", "copy <a> <b>", ...

    bool FolderExists(const std::string& path) override;
    bool FileExists(const std::string& path) override { return files.contains(path); }
    bool IsReadOnly(const std::string& path) override { return readOnly.contains(path); }
    bool CreateFolder(const std::string& path) override;
    bool Copy(const std::string& source, const std::string& target, bool overwrite) override;
    bool Remove(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) override;
    bool CopyReplacing(const std::string& source, const std::string& target) override;
    bool WriteReplacing(const std::string& path, const std::string& bytes) override;
    bool ProbeWritable(const std::string& folder, const std::string& name) override;
    // Folders prefix + "1", "2", ... in turn; the private programs are listed in privatePrograms.
    std::optional<std::string> CreatePrivateFolder(const std::string& parent, const std::string& prefix) override;
    bool CreatePrivateProgram(const std::string& path, const std::string& bytes) override;
    std::set<std::string> privatePrograms;
    bool CreateOwnTextFile(const std::string& path, const std::vector<std::string>& lines) override;
    bool AppendOwnTextFile(const std::string& path, const std::vector<std::string>& lines) override;

    // The lines of a text file written through the calls above.
    std::vector<std::string> Lines(const std::string& path) const;

private:
    bool Writable(const std::string& path) const;
};

class FakeSystemFolders final : public SystemFolders {
public:
    std::string windows = "/home/anna/.config/";
    std::string programFiles = "/home/anna/.local/share/";
    std::string documents = "/home/anna/Dokumente/";
    std::string temp = "/tmp/";
    std::string home = "/home/anna/";
    std::string firstFallback = "/home/anna/";
    std::string secondFallback = "/";
    std::map<int, std::string> special;
    std::string executable = "/opt/Tapsody/tapsody";
    std::string commandLine = "\"/opt/Tapsody/tapsody\"";

    std::string WindowsFolder() override { return windows; }
    std::string ProgramFilesFolder() override { return programFiles; }
    std::string DocumentsFolder() override { return documents; }
    std::string TempFolder() override { return temp; }
    std::string HomeFolder() override { return home; }
    std::string FirstFallbackFolder() override { return firstFallback; }
    std::string SecondFallbackFolder() override { return secondFallback; }
    std::optional<std::string> SpecialFolder(int id) override;
    std::string ExecutablePath() override { return executable; }
    std::string CommandLine() override { return commandLine; }
};

class FakeShell final : public Shell {
public:
    // "open|file|parameters|folder", "link|target|linkFile|workFolder|icon|action name:parameters|...",
    // "unlink|linkFile"
    std::vector<std::string> calls;
    std::deque<int> answers; // results of Execute in turn; 33 when empty
    bool linkResult = true;
    std::map<std::string, std::string> links; // linkFile -> target, of the links written
    std::set<std::string> undeletableLinks;

    int Execute(ShellVerb verb, const std::string& file, const std::string& parameters,
                const std::string& folder) override;
    bool CreateLink(const std::string& target, const std::string& linkFile, const std::string& workFolder,
                    const LinkDetails& details) override;
    std::vector<std::string> LinksTo(const std::string& folder, const std::string& target) override;
    bool RemoveLink(const std::string& linkFile) override;
};

class FakeInstanceLocks final : public InstanceLocks {
public:
    InstanceLockResult result = InstanceLockResult::Acquired;
    std::vector<std::string> requested;
    InstanceLockResult Acquire(const std::string& name, std::unique_ptr<InstanceLockHandle>& handle) override;
};

class FakeDesktop final : public Desktop {
public:
    std::vector<DesktopWindow> windows;
    ScreenMode screen{1024, 768, 32, 60};
    std::vector<std::uint32_t> beeps;
    std::vector<DesktopWindow> TopLevelWindows() override { return windows; }
    ScreenMode CurrentScreenMode() override { return screen; }
    void Beep(std::uint32_t type) override { beeps.push_back(type); }
    std::map<WindowHandle, std::uint32_t> captionButtons;
    void SetCaptionButtons(WindowHandle window, std::uint32_t buttons) override { captionButtons[window] = buttons; }
    bool FrameOrigin(WindowHandle, std::int32_t&, std::int32_t&) override { return false; }
};

class FakeSystemInfo final : public SystemInfo {
public:
    std::string computer = "WERKBANK";
    std::string user = "anna";
    std::int32_t clockMHz = 2394;
    MemoryStatus memory{16'000'000'000, 4'000'000'000, 75};
    std::optional<OsVersion> version = OsVersion{OsFamily::Linux, 6, 1, "", "Debian GNU/Linux 12 (bookworm)"};
    std::vector<DriveInfo> drives{{"/", DriveKind::Fixed, "System", "/dev/sda1"}};
    std::int64_t freeBytes = 12'345'678'901;

    std::string ComputerName() override { return computer; }
    std::string UserName() override { return user; }
    std::int32_t ProcessorClockMHz() override { return clockMHz; }
    MemoryStatus Memory() override { return memory; }
    std::optional<OsVersion> Version() override { return version; }
    std::optional<DriveInfo> DriveOf(const std::string& path) override;
    std::int64_t FreeBytes(const std::string&) override { return freeBytes; }
    std::vector<DriveInfo> Drives() override { return drives; }
};

class FakeKeyboardOutput final : public KeyboardOutput {
public:
    std::vector<WindowHandle> activated;
    bool activationSucceeds = true;
    std::uint32_t MapKeyCode(std::uint32_t, KeyMapping) override { return 0; }
    void KeybdEvent(std::uint8_t, std::uint8_t, std::uint32_t) override {}
    WindowHandle GetForegroundWindow() override { return 0; }
    bool SetForegroundWindow(WindowHandle window) override
    {
        activated.push_back(window);
        return activationSucceeds;
    }
    std::uint32_t GetForegroundLockTimeout() override { return 0; }
    void SetForegroundLockTimeout(std::uint32_t) override {}
    void MessageBeep(std::uint32_t) override {}
};

// Every message shown, as "dlg:<text>", "show:<text>" or "plain:<text>".
class RecordingMessages final : public MessageService {
public:
    std::vector<std::string> shown;
    std::uint16_t answer = mrOk;
    std::uint16_t MessageDlg(const std::string& message, std::uint8_t type, std::uint16_t, int) override
    {
        shown.push_back("dlg" + std::to_string(type) + ":" + message);
        return answer;
    }
    void ShowMessage(const std::string& message) override { shown.push_back("show:" + message); }
    void PlainMessage(const std::string& text) override { shown.push_back("plain:" + text); }
};

class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    MemoryRegistry registry;
    FakeFileSystem files;
    FakeSystemFolders folders;
    FakeShell shell;
    FakeInstanceLocks instanceLocks;
    FakeDesktop desktop;
    FakeSystemInfo systemInfo;
    FakeKeyboardOutput keyboard;
    RecordingMessages messages;

private:
    Platform platform_;
    Platform* previousPlatform_;
    MessageService* previousMessages_;
};
