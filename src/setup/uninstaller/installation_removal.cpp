#include "setup/uninstaller/installation_removal.h"

#include "platform/document_registry.h"
#include "platform/platform.h"
#include "services/program_files.h"
#include "services/program_record.h"
#include "services/text_helpers.h"
#include "setup/dir_places.h"
#include "setup/installation_names.h"
#include "support/translation.h"

#include <algorithm>

namespace in = installation;

namespace {

const RegistryRoot kMachine = RegistryRoot::LocalMachine;

Registry& TheRegistry()
{
    return *ThePlatform().registry;
}

// A path is complete when it starts at the root and names no "." or ".."
// level (nor an empty one), so that it cannot lead anywhere but where it says:
// normalising it changes nothing.
bool IsCompletePath(const std::string& folder)
{
    return StartsWith(folder, "/") && NormalFolder(folder) == in::WithSlash(folder);
}

bool SameFolder(const std::string& a, const std::string& b)
{
    return NormalizeDir(a) == NormalizeDir(b);
}

std::string LinkShown(const std::string& link)
{
    const std::string name = EndsWith(link, ".lnk") ? link.substr(0, link.size() - 4) : link;
    return name + " " + TranslateProgramText("(Verkn\xFCpfung)");
}

std::string KeyShown(const std::string& key)
{
    return RegKeyPath(kMachine, key);
}

void RemoveLinks(const std::string& program, RemovalResult& result)
{
    for (const int id : {SpecialFolderPrograms, SpecialFolderDesktopDirectory}) {
        const auto folder = ThePlatform().folders->SpecialFolder(id);
        if (!folder)
            continue;
        for (const std::string& link : ThePlatform().shell->LinksTo(*folder, program))
            if (!ThePlatform().shell->RemoveLink(link))
                result.failed.push_back(LinkShown(link));
    }
}

// The files an installation writes into its folder, in the order they are removed.
std::vector<std::string> InstalledFiles(const std::string& folder)
{
    return {in::ProgramFile(folder),           in::SettingsFile(folder),           in::LogFile(folder),
            in::LicencePageFile(folder, true), in::LicencePageFile(folder, false), in::IconFile(folder),
            in::ScalableIconFile(folder)};
}

void RemoveFiles(const std::string& folder, RemovalResult& result)
{
    FileSystem& files = *ThePlatform().files;
    for (const std::string& file : InstalledFiles(folder))
        if (files.FileExists(file) && !files.Remove(file))
            result.failed.push_back(file);
}

void RemoveFolder(const std::string& folder, RemovalResult& result)
{
    FileSystem& files = *ThePlatform().files;
    const auto entries = files.ListFolder(folder);
    if (!entries || (entries->empty() && !files.RemoveFolder(folder))) {
        result.failed.push_back(folder);
        return;
    }
    for (const FolderEntry& entry : *entries)
        result.leftInFolder.push_back(entry.name + (entry.folder ? "/" : ""));
    std::sort(result.leftInFolder.begin(), result.leftInFolder.end());
}

void RemoveRegistryEntries(RemovalResult& result)
{
    Registry& registry = TheRegistry();
    for (const std::string& key : {in::ProductKey(), in::UninstallKey()})
        if (!registry.DeleteKey(kMachine, key))
            result.failed.push_back(KeyShown(key));
    const std::string vendor = in::VendorKey();
    if (registry.ValueExists(kMachine, vendor, in::kLanguageValue) &&
        !registry.DeleteValue(kMachine, vendor, in::kLanguageValue))
        result.failed.push_back(KeyShown(vendor) + " " + in::kLanguageValue);
    // Other programs of the vendor keep their keys there; then it stays.
    registry.DeleteKeyIfEmpty(kMachine, vendor);
}

} // namespace

FoundInstallation FindInstallation()
{
    Registry& registry = TheRegistry();
    const std::string product = in::ProductKey();
    FoundInstallation found;
    found.present = registry.KeyExists(kMachine, product) || registry.KeyExists(kMachine, in::UninstallKey());
    const std::string folder = registry.ReadString(kMachine, product, in::kPathValue).value_or("");
    found.folder = folder.empty() ? folder : in::WithSlash(folder);
    found.title = registry.ReadString(kMachine, product, in::kTitleValue).value_or("");
    if (found.title.empty())
        found.title = ProgInfo.Title;
    return found;
}

std::string RefusalOf(const std::string& folder)
{
    if (TrimStr(folder).empty())
        return "Die Registrierung nennt kein Installationsverzeichnis.";
    if (!IsCompletePath(folder))
        return "Das Installationsverzeichnis %s ist kein vollst\xE4ndiger Pfad.|" + folder;
    if (folder == "/")
        return "Das Installationsverzeichnis %s ist das Wurzelverzeichnis.|" + folder;
    if (SameFolder(folder, ThePlatform().folders->HomeFolder()))
        return "Das Installationsverzeichnis %s ist Ihr pers\xF6nlicher Ordner.|" + folder;
    if (!ThePlatform().files->FileExists(in::ProgramFile(folder)))
        return "Das Installationsverzeichnis %s enth\xE4lt das Programm nicht.|" + folder;
    return {};
}

RemovalResult RemoveInstallation(const FoundInstallation& found)
{
    RemovalResult result;
    const std::string program = in::ProgramFile(found.folder);
    RemoveLinks(program, result);
    RemoveFiles(found.folder, result);
    RemoveFolder(found.folder, result);
    result.registryKept = ThePlatform().files->FileExists(program);
    if (!result.registryKept)
        RemoveRegistryEntries(result);
    return result;
}

std::string RemovalReport(const FoundInstallation& found, const RemovalResult& result)
{
    std::string report = result.failed.empty()
                             ? TranslateProgramText("%s wurde von diesem Computer entfernt.|" + found.title)
                             : TranslateProgramText("%s wurde nicht vollst\xE4ndig entfernt.|" + found.title);
    if (!result.leftInFolder.empty()) {
        report += "\r\n\r\n" + TranslateProgramText("Das Verzeichnis %s bleibt, weil es noch Dateien enth\xE4lt, "
                                                    "die nicht zum Programm geh\xF6ren:|" +
                                                    found.folder);
        for (const std::string& entry : result.leftInFolder)
            report += "\r\n    " + entry;
    }
    if (!result.failed.empty()) {
        report += "\r\n\r\n" + TranslateProgramText("Folgendes konnte nicht entfernt werden:");
        for (const std::string& item : result.failed)
            report += "\r\n    " + item;
    }
    if (result.registryKept)
        report += "\r\n\r\n" + TranslateProgramText("Die Registrierungseintr\xE4ge bleiben, damit die "
                                                    "Deinstallation wiederholt werden kann.");
    return report;
}
