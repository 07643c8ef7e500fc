#include "services/shell_integration.h"

#include "platform/platform.h"
#include "services/program_files.h"
#include "services/system_log.h"
#include "services/text_helpers.h"
#include "support/messages.h"

#include <optional>

namespace {

// Creates each missing level of the folder; the first level that cannot be made, if any.
std::optional<std::string> MissingLevel(const std::string& path)
{
    std::string folder = path;
    if (folder.empty() || folder.back() != '/') // a trailing file name is not a folder
        folder = LeftStr(folder, LastPos("/", folder));
    if (FolderExists(folder))
        return std::nullopt;
    std::string rest = folder;
    std::string prefix;
    FileSystem& files = *ThePlatform().files;
    const bool network = StartsWith(rest, "//");
    if (network) {
        prefix = "/";
        rest.erase(0, 2);
    } else {
        prefix = Fetch(rest, "/"); // the first level; empty for an absolute path
        if (!prefix.empty() && !FolderExists(prefix + "/") && !files.CreateFolder(prefix))
            return prefix;
    }
    while (!rest.empty()) {
        prefix += "/" + Fetch(rest, "/");
        const bool serverOnly = network && CountOf("/", prefix) <= 2; // "//server" cannot be made
        if (serverOnly || FolderExists(prefix + "/"))
            continue;
        if (!files.CreateFolder(prefix))
            return prefix;
    }
    return std::nullopt;
}

} // namespace

bool ForceFolder(const std::string& path)
{
    if (const auto level = MissingLevel(path)) {
        MyShowMessage("Konnte das Verzeichnis %s nicht anlegen|" + *level);
        return false;
    }
    return true;
}

bool CreateFolderPath(const std::string& path)
{
    return !MissingLevel(path);
}

void SpecialFolder(int id, std::string& result)
{
    if (const auto folder = ThePlatform().folders->SpecialFolder(id))
        result = *folder;
}

bool CreateWinLink(const std::string& target, const std::string& linkFile, const std::string& workFolder,
                   const LinkDetails& details)
{
    if (UpperStr(RightStr(linkFile, 4)) != ".LNK") {
        ReportError(-1888, "CreateWinLink: Endung .LNK fehlt");
        return false;
    }
    std::string folder = workFolder;
    if (folder.size() > 1 && folder.back() == '/') // the root folder keeps its "/"
        folder.pop_back();
    return ThePlatform().shell->CreateLink(target, linkFile, folder, details);
}

void ShellOpen(const std::string& file, const std::string& parameters)
{
    // The program starts in its own folder; a file in the root folder starts there.
    const int slash = LastPos("/", file);
    const std::string folder = slash == 1 ? "/" : LeftStr(file, slash - 1);
    const std::string name = TailFrom(file, slash + 1);
    Shell& shell = *ThePlatform().shell;
    int code = shell.Execute(ShellVerb::Open, name, parameters, folder);
    if (code == ShellNoAssociation) // no application opens it: try the second way
        code = shell.Execute(ShellVerb::Play, name, parameters, folder);
    if (code > 0)
        ShowShellError(code);
}

void ShellOpenDocument(const std::string& target)
{
    ShowShellError(ThePlatform().shell->Execute(ShellVerb::Open, target, {}, {}));
}

void ShowShellError(int code)
{
    switch (code) {
    case 2: MyShowMessage("Datei nicht gefunden"); return;
    case 3: MyShowMessage("Pfad nicht gefunden"); return;
    case 5: MyShowMessage("Zugriff verweigert"); return;
    // "Fehler: nicht genug freier Speicher zur Ausführung des Programms"
    case 8: ShowPlainNotice("Fehler: nicht genug freier Speicher zur Ausf\xFChrung des Programms"); return;
    case 11: ShowPlainNotice("Fehler: Keine EXE-Datei"); return;
    case 26: ShowPlainNotice("Fehler bei der Shareverwaltung"); return;
    // "Fehler: Der Dateiname ist ungültig"
    case 27: ShowPlainNotice("Fehler: Der Dateiname ist ung\xFCltig"); return;
    case 31: ShowPlainNotice("Fehler: Es existiert keine Verkn\xFCpfung mit der Datei"); return;
    case 32: MyShowMessage("Eine DLL konnte nicht gefunden werden"); return;
    default:
        if (code >= 1 && code <= 31)
            ShowPlainNotice("Unbekannter Fehler: %s|" + NumToStr(code));
    }
}
