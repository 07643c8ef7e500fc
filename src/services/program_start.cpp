#include "services/program_start.h"

#include "platform/platform.h"
#include "services/date_rec.h"
#include "services/program_files.h"
#include "services/program_record.h"
#include "services/system_log.h"
#include "services/text_helpers.h"
#include "support/language_list.h"
#include "support/messages.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<InstanceLockHandle> instanceLock;
QuitHook quitHook = nullptr;

const char kVersionKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion";
const char kShellFoldersKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kByline[] = "https://tapsody.example";

// The stem of the program file's name, in lower case.
std::string ShortNameOf(const std::string& programPath)
{
    const std::string fileName = TailFrom(programPath, LastPos("/", programPath) + 1);
    const int dot = LastPos(".", fileName);
    return LowerStrDe(dot > 0 ? LeftStr(fileName, dot - 1) : fileName);
}

bool StartsWithNoCase(const std::string& text, const std::string& start)
{
    return !start.empty() && UpperStr(LeftStr(text, static_cast<int>(start.size()))) == UpperStr(start);
}

// Whether a window's caption names the running program: its caption begins
// with the title it shows ("Tapsody 1.7"), or with the short name.
bool IsRunningInstanceWindow(const std::string& caption)
{
    const std::string shownTitle = VersionTitle(ProgInfo.Title, ProgInfo.ShortName, ProgInfo.Version);
    return StartsWithNoCase(caption, shownTitle) || StartsWithNoCase(caption, ProgInfo.ShortName);
}

// Brings the window of the running instance to the front, or says why not; then
// this second instance ends.
[[noreturn]] void GiveWayToRunningInstance(Platform& platform)
{
    for (const DesktopWindow& window : platform.desktop->TopLevelWindows()) {
        if (!IsRunningInstanceWindow(window.title))
            continue;
        if (platform.keyboard && platform.keyboard->SetForegroundWindow(window.handle))
            platform.desktop->Beep(0);
        std::exit(0);
    }
    ShowPlainNotice("Programm kann nur einmal gestartet werden.");
    std::exit(0);
}

void TakeInstanceLock(bool singleInstance, Platform& platform)
{
    instanceLock.reset();
    const bool applies = singleInstance && !Contains("=", ParamLine) &&
                         platform.files->FileExists(ProgInfo.ProgDir + ProgInfo.ShortName + ".ini");
    if (!applies)
        return;
    if (platform.instanceLocks->Acquire(ProgInfo.ShortName, instanceLock) == InstanceLockResult::HeldElsewhere)
        GiveWayToRunningInstance(platform);
}

void FindSystemFolders(Platform& platform)
{
    Registry& registry = *platform.registry;
    registry.CreateKey(RegistryRoot::LocalMachine, kVersionKey);
    ProgInfo.WindowsDir = NormalizeDir(platform.folders->WindowsFolder());
    const auto programFiles = registry.ReadString(RegistryRoot::LocalMachine, kVersionKey, "ProgramFilesDir");
    ProgInfo.ProgFilesDir = NormalizeDir(programFiles ? *programFiles : platform.folders->ProgramFilesFolder());

    registry.CreateKey(RegistryRoot::CurrentUser, kShellFoldersKey);
    ProgInfo.PersonalDir =
        NormalizeDir(registry.ReadString(RegistryRoot::CurrentUser, kShellFoldersKey, "Personal").value_or(""));
    if (ProgInfo.PersonalDir.size() < 3) {
        ProgInfo.PersonalDir = NormalizeDir(platform.folders->DocumentsFolder());
        registry.WriteString(RegistryRoot::CurrentUser, kShellFoldersKey, "Personal", ProgInfo.PersonalDir);
    }
}

// "Disk /:12.345 MB Type /:3 /:3": free space and kind of the drives holding the
// save folder and the program folder ("-" for a folder not known).
std::string DiskLine(Platform& platform)
{
    const auto driveName = [&](const std::string& path) {
        const auto drive = path.empty() ? std::nullopt : platform.systemInfo->DriveOf(path);
        return drive ? drive->root : std::string("-");
    };
    const std::int64_t freeBytes = ProgInfo.SaveDir.empty() ? -1 : platform.systemInfo->FreeBytes(ProgInfo.SaveDir);
    const std::string d = driveName(ProgInfo.SaveDir);
    const std::string p = driveName(ProgInfo.ProgDir);
    return "Disk " + d + ":" + NumToStrDots(freeBytes / 1000000) + " MB" + " " + "Type " + d + ":" +
           NumToStr(DriveTypeOf(ProgInfo.SaveDir)) + " " + p + ":" + NumToStr(DriveTypeOf(ProgInfo.ProgDir));
}

void StartLog(Platform& platform)
{
    ReplaceAllNoCase(ParamLine, "/L", "");
    ParamLine = TrimStr(ParamLine);
    // The name the log is written under: on a file system that tells cases apart,
    // any other spelling would name a file that does not exist.
    ShowPlainNotice("Logbuch wird gespeichert in: %s|" + LogFileName());
    ProgInfo.LogEnabled = CreateLogFile({
        FormatDateRec(NowRec(), 2),
        "Programm:   " + platform.folders->ExecutablePath(),
        "Parameter:  " + ParamLine,
        "Prog.Titel: " + ProgInfo.Title,
    });
    if (!ProgInfo.LogEnabled)
        return;
    LogLine("Savepfad:  " + ProgInfo.SaveDir);
    LogLine("Computername: " + ProgInfo.ComputerName);
    LogLine("Benutzer: " + UserNameStr());
    LogLine("Speed: " + NumToStrDots(CpuSpeedMHz()) + " Mhz");
    const MemoryStatus memory = platform.systemInfo->Memory();
    LogLine(NumToStrDots(memory.loadPercent) + "% in use/" +
            NumToStrDots(static_cast<std::int64_t>(memory.totalBytes / 1000000)) + " MByte");
    LogLine("OS: " + OSName());
    LogLine("Screen: " + ScreenInfo());
    LogLine(DiskLine(platform));
}

// Takes the quoted program path off the front of line; a doubled quote inside
// it stands for one that belongs to a folder's name.
std::string QuotedProgramPath(std::string& line)
{
    std::string path;
    std::size_t at = 1;
    for (; at < line.size(); ++at) {
        if (line[at] == '"' && (at + 1 == line.size() || line[at + 1] != '"'))
            break;
        path += line[at];
        at += line[at] == '"';
    }
    line.erase(0, std::min(at + 1, line.size()));
    return path;
}

} // namespace

ProgramLocation SplitCommandLine(const std::string& commandLine, std::size_t ownPathLength)
{
    ProgramLocation location;
    std::string line = commandLine;
    if (StartsWith(line, "\"")) {
        location.progDir = QuotedProgramPath(line);
        location.progDir = LeftStr(location.progDir, LastPos("/", location.progDir));
    } else if (Contains("/", line)) {
        location.progDir = TrimStr(LeftStr(line, LastPos("/", line)));
        line = TailFrom(line, static_cast<int>(ownPathLength) + 1);
    }
    location.paramLine = TrimStr(line);
    return location;
}

std::string FindSaveFolder(const std::string& startDir)
{
    Platform& platform = ThePlatform();
    const std::string firstFallback = platform.folders->FirstFallbackFolder();
    const std::string secondFallback = platform.folders->SecondFallbackFolder();
    std::string dir = startDir;
    for (int test = 0; test < 20; ++test) {
        if (platform.files->ProbeWritable(dir, "test.$$$"))
            return dir;
        if (UpperStr(dir) == UpperStr(ProgInfo.ProgDir))
            dir = ProgInfo.TempDir;
        else if (dir == ProgInfo.TempDir)
            dir = ProgInfo.WindowsDir;
        else if (dir == ProgInfo.WindowsDir)
            dir = ProgInfo.PersonalDir;
        else if (dir == ProgInfo.PersonalDir)
            dir = ProgInfo.ProgFilesDir;
        else if (dir == ProgInfo.ProgFilesDir)
            dir = firstFallback;
        else if (dir == firstFallback)
            dir = secondFallback;
        else if (dir == secondFallback)
            return ProgInfo.TempDir; // the last resort, taken without a further test
    }
    return dir;
}

void StartProgram(bool singleInstance)
{
    Platform& platform = ThePlatform();
    const std::string ownPath = platform.folders->ExecutablePath();
    const ProgramLocation location = SplitCommandLine(platform.folders->CommandLine(), ownPath.size());
    ProgInfo.ProgDir = location.progDir;
    ParamLine = location.paramLine;
    if (ProgInfo.ShortName.empty())
        ProgInfo.ShortName = ShortNameOf(ownPath);

    TakeInstanceLock(singleInstance, platform);
    FindSystemFolders(platform);

    // The program folder keeps its case: the file system tells cases apart, so
    // it is compared in capitals but never opened that way.
    ProgInfo.SaveDir = ProgInfo.ProgDir;
    ProgInfo.TempDir = TempFolder();
    ProgInfo.SaveDir = FindSaveFolder(ProgInfo.SaveDir);

    ProgInfo.LogEnabled = SwitchPresent("/L", ParamLine);
    ProgInfo.ComputerName = ComputerNameStr();
    if (ProgInfo.LogEnabled)
        StartLog(platform);

    Sprachliste.Clear();
    ProgInfo.Byline = kByline;
    LogLine("-Utili");
}

std::string VersionTitle(const std::string& title, const std::string& shortName, std::int32_t version)
{
    const std::int64_t number = version < 0 ? -std::int64_t{version} : version;
    return (title.empty() ? shortName : title) + " " + NumToStr(number / 100) + "." + NumToStr(number % 100) +
           (version < 0 ? "b" : "");
}

bool HoldsInstanceLock()
{
    return instanceLock != nullptr;
}

void EndProgram()
{
    Sprachliste.Clear();
    instanceLock.reset();
}

QuitHook SetQuitHook(QuitHook hook)
{
    const QuitHook previous = quitHook;
    quitHook = hook;
    return previous;
}

void QuitProgram()
{
    EndProgram(); // first, in case the hook stops the process itself
    if (quitHook)
        quitHook();
    std::exit(0);
}
