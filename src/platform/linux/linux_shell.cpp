#include "platform/linux/linux_shell.h"

#include "datastore/file_bytes.h"
#include "platform/ansi_utf8.h"
#include "platform/linux/desktop_entry.h"
#include "platform/linux/linux_paths.h"
#include "platform/linux/process_start.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace {

// How long to wait for an opener's answer; a desktop's opener answers at once,
// a bare one may run the application itself and is then left to run.
constexpr std::chrono::milliseconds kOpenerWait{3000};

bool IsAddress(const std::string& target)
{
    const auto colon = target.find(':');
    if (colon == std::string::npos || colon < 2) // "c:" would be a drive
        return false;
    for (std::size_t i = 0; i < colon; ++i)
        if (!std::isalnum(static_cast<unsigned char>(target[i])) && target[i] != '+' && target[i] != '-' &&
            target[i] != '.')
            return false;
    return true;
}

bool IsFolder(const std::string& path)
{
    struct stat entry {};
    return stat(path.c_str(), &entry) == 0 && S_ISDIR(entry.st_mode);
}

bool IsProgram(const std::string& path)
{
    struct stat entry {};
    return stat(path.c_str(), &entry) == 0 && S_ISREG(entry.st_mode) && access(path.c_str(), X_OK) == 0;
}

int OpenWithDesktop(ShellVerb verb, const std::string& target, const std::string& folder)
{
    const StartedProcess opener = verb == ShellVerb::Open ? StartProcess("xdg-open", {target}, folder, kOpenerWait)
                                                          : StartProcess("gio", {"open", target}, folder, kOpenerWait);
    if (opener.error != 0)
        return ShellNoAssociation; // no opener installed: nothing can open the file
    return opener.exitStatus ? ShellCodeOfOpenerStatus(*opener.exitStatus) : ShellStarted;
}

} // namespace

int ShellCodeOfStartError(int error)
{
    switch (error) {
    case 0: return ShellStarted;
    case ENOENT: return ShellFileNotFound;
    case ENOTDIR: return ShellPathNotFound;
    case EACCES:
    case EPERM: return ShellAccessDenied;
    case ENOMEM:
    case E2BIG:
    case EAGAIN: return ShellOutOfMemory;
    case ENOEXEC:
    case ELIBBAD: return ShellBadFormat;
    case ETXTBSY: return ShellSharingViolation;
    case ENAMETOOLONG:
    case ELOOP: return ShellAssociationIncomplete;
    case ELIBACC: return ShellLibraryNotFound;
    default: return ShellAssociationIncomplete;
    }
}

int ShellCodeOfOpenerStatus(int status)
{
    // xdg-open: 0 done, 1 bad command line, 2 file not found, 3 no tool, 4 action failed.
    switch (status) {
    case 0: return ShellStarted;
    case 2: return ShellFileNotFound;
    default: return ShellNoAssociation;
    }
}

int LinuxShell::Execute(ShellVerb verb, const std::string& file, const std::string& parameters,
                        const std::string& folder)
{
    const std::string nativeFolder = NativePath(folder);
    const std::string nativeFile = NativePath(file);
    if (IsAddress(file))
        return OpenWithDesktop(verb, nativeFile, {});
    if (!nativeFolder.empty() && !IsFolder(nativeFolder))
        return ShellPathNotFound;
    const bool searchPath = folder.empty() && file.find('/') == std::string::npos;
    std::string path = nativeFile;
    if (!nativeFolder.empty() && !nativeFile.starts_with("/"))
        path = nativeFolder + "/" + nativeFile;
    if (searchPath && !std::filesystem::exists(path)) { // a program known by name, such as a tool
        const StartedProcess started =
            StartProcess(path, SplitParameters(NativePath(parameters)), {}, std::chrono::milliseconds(0));
        return ShellCodeOfStartError(started.error);
    }
    if (!std::filesystem::exists(path))
        return ShellFileNotFound;
    if (IsProgram(path)) {
        // Named absolutely, since the program starts in its own folder.
        const std::filesystem::path program = std::filesystem::absolute(path);
        const StartedProcess started = StartProcess(program.string(), SplitParameters(NativePath(parameters)),
                                                    program.parent_path().string(), std::chrono::milliseconds(0));
        return ShellCodeOfStartError(started.error);
    }
    return OpenWithDesktop(verb, std::filesystem::absolute(path).string(), nativeFolder);
}

bool LinuxShell::CreateLink(const std::string& target, const std::string& linkFile, const std::string& workFolder,
                            const LinkDetails& details)
{
    const std::filesystem::path launcher = NativePath(DesktopEntryFileName(linkFile));
    DesktopEntry entry{
        launcher.stem().string(), NativePath(target), NativePath(workFolder), NativePath(details.icon), {}};
    for (const LinkAction& action : details.actions)
        entry.actions.push_back({NativePath(action.name), SplitParameters(NativePath(action.parameters))});
    const std::string text = DesktopEntryText(entry);
    // Desktops start only launchers that may be run, like programs.
    try {
        std::filesystem::create_directories(launcher.parent_path());
        ReplaceFileBytes(launcher.string(), text, std::filesystem::perms(0755));
        return true;
    } catch (const std::filesystem::filesystem_error&) {
        return false;
    }
}

std::vector<std::string> LinuxShell::LinksTo(const std::string& folder, const std::string& target)
{
    constexpr std::uintmax_t kLargestLauncher = 1 << 20;
    const std::string program = NativePath(target);
    std::vector<std::string> links;
    std::error_code error;
    std::filesystem::directory_iterator entry(NativePath(folder), error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::filesystem::path& path = entry->path();
        std::error_code fileError;
        if (path.extension() != ".desktop" || !entry->is_regular_file(fileError) ||
            entry->file_size(fileError) > kLargestLauncher || fileError)
            continue;
        std::string text;
        try {
            text = ReadFileBytes(path.string());
        } catch (const std::exception&) {
            continue;
        }
        if (DesktopEntryTarget(text) == program)
            links.push_back(folder + Utf8ToAnsi(LinkFileNameOf(path.filename().string())));
    }
    return links;
}

bool LinuxShell::RemoveLink(const std::string& linkFile)
{
    const std::string launcher = NativePath(DesktopEntryFileName(linkFile));
    return unlink(launcher.c_str()) == 0 || errno == ENOENT;
}
