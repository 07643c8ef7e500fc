#include "setup/install_step.h"

#include "platform/platform.h"
#include "services/date_rec.h"
#include "services/program_record.h"
#include "services/shell_integration.h"
#include "services/system_log.h"
#include "services/text_helpers.h"
#include "setup/fixed_texts.h"
#include "setup/installation_names.h"
#include "support/ini_file.h"
#include "support/language_list.h"
#include "support/messages.h"

#include <exception>

namespace in = installation;

namespace {

const RegistryRoot kMachine = RegistryRoot::LocalMachine;

std::string Today()
{
    return FormatDateRec(NowRec(), 6);
}

bool CreateFolder(const std::string& folder)
{
    if (CreateFolderPath(folder))
        return true;
    MyShowMessage("Konnte Verzeichnis %s nicht erstellen|" + folder);
    return false;
}

bool WriteSettings(const std::string& folder)
{
    const std::string file = in::SettingsFile(folder);
    try {
        tinifile2 ini(file);
        ini.WriteInteger(in::kSettingsSection, in::kLicenceKey, 1);
        ini.WriteInteger(in::kSettingsSection, in::kLanguageKey, CurrentLanguage);
        ini.WriteString(in::kMainWindowSection, in::kTitleKey, ProgInfo.Title);
        ini.UpdateFile();
        if (!ini.Modified())
            return true;
        // A read-only or unreadable file has been reported by the settings file.
    } catch (const std::exception&) {
        MyShowMessage("Die Datei %s konnte nicht geschrieben werden.|" + file);
    }
    return false;
}

// Each write stops the step when it fails, naming the key.
class RegistryWriter {
public:
    explicit RegistryWriter(std::string key) : key_(std::move(key)) {}
    bool String(const std::string& name, const std::string& value)
    {
        return Report(ThePlatform().registry->WriteString(kMachine, key_, name, value));
    }
    bool Integer(const std::string& name, std::int32_t value)
    {
        return Report(ThePlatform().registry->WriteInteger(kMachine, key_, name, value));
    }

private:
    bool Report(bool written)
    {
        if (!written)
            MyShowMessage("Der Registrierungseintrag %s konnte nicht geschrieben werden.|" + key_);
        return written;
    }
    std::string key_;
};

bool WriteProductKey(const std::string& folder)
{
    if (TranslationOn && !RegistryWriter(in::VendorKey()).Integer(in::kLanguageValue, CurrentLanguage))
        return false;
    return RegistryWriter(in::ProductKey()).String(in::kPathValue, folder);
}

// The program file is copied beside the target and renamed over it: an
// installed copy may be running, and a failed copy must leave the old one whole.
bool CopyProgram(const std::string& target, const InstallIcons& icons, const std::string& folder)
{
    FileSystem& files = *ThePlatform().files;
    const std::string running = ThePlatform().folders->ExecutablePath();
    if (target != running && !files.CopyReplacing(running, target)) {
        MyShowMessage("Das Programm konnte nicht nach %s kopiert werden.|" + target);
        return false;
    }
    for (const auto& [file, bytes] :
         {std::pair{in::IconFile(folder), &icons.png}, std::pair{in::ScalableIconFile(folder), &icons.svg}}) {
        if (!bytes->empty() && !files.WriteReplacing(file, *bytes)) {
            MyShowMessage("Die Datei %s konnte nicht geschrieben werden.|" + file);
            return false;
        }
    }
    return true;
}

bool WriteLicenceAcceptance()
{
    RegistryWriter product(in::ProductKey());
    return product.String(in::kLicenceValue, Today()) && product.String(in::kAuthorValue, AuthorText()) &&
           product.String(in::kMakerValue, ProgInfo.Maker) && product.String(in::kTitleValue, ProgInfo.Title);
}

bool WriteUninstallEntry()
{
    RegistryWriter entry(in::UninstallKey());
    const std::string running = ThePlatform().folders->ExecutablePath();
    if (!entry.String(in::kDisplayNameValue, ProgInfo.Title) ||
        !entry.String(in::kUninstallStringValue, running + " " + in::kUninstallSwitch))
        return false;
    if (ThePlatform().registry->ValueExists(kMachine, in::UninstallKey(), in::kInstalledValue))
        return true;
    return entry.String(in::kInstalledValue, Today());
}

// A link in a special folder; a folder the system does not have gets none.
bool CreateLinkIn(int specialFolder, const std::string& target, const std::string& folder, const LinkDetails& details)
{
    std::string linkFolder;
    SpecialFolder(specialFolder, linkFolder);
    if (linkFolder.empty())
        return true;
    const std::string link = linkFolder + in::LinkFileName();
    if (CreateWinLink(target, link, folder, details))
        return true;
    MyShowMessage("Die Verkn\xFCpfung %s konnte nicht erstellt werden.|" + link);
    return false;
}

bool CreateLinks(const InstallChoice& choice, const std::string& target, const InstallIcons& icons)
{
    LinkDetails details;
    if (!icons.png.empty())
        details.icon = in::IconFile(choice.folder);
    LinkDetails startMenu = details;
    startMenu.actions.push_back({in::kUninstallActionName, in::kUninstallSwitch});
    if (choice.startMenuLink && !CreateLinkIn(SpecialFolderPrograms, target, choice.folder, startMenu))
        return false;
    return !choice.desktopLink || CreateLinkIn(SpecialFolderDesktopDirectory, target, choice.folder, details);
}

} // namespace

bool InstallProgram(const InstallChoice& choice, const InstallIcons& icons)
{
    const std::string& folder = choice.folder;
    const std::string target = in::ProgramFile(folder);
    const bool done = CreateFolder(folder) && WriteSettings(folder) && WriteProductKey(folder) &&
                      CopyProgram(target, icons, folder) && WriteLicenceAcceptance() && WriteUninstallEntry() &&
                      CreateLinks(choice, target, icons);
    if (done)
        LogLine("2:" + JaNein(choice.startMenuLink) + "/" + JaNein(choice.desktopLink) + "/ " + folder);
    return done;
}
