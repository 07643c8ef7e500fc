#include "setup/installation_check.h"

#include "platform/platform.h"
#include "services/date_rec.h"
#include "services/program_files.h"
#include "services/program_record.h"
#include "services/program_start.h"
#include "services/shell_integration.h"
#include "services/system_log.h"
#include "services/text_helpers.h"
#include "setup/installation_names.h"
#include "setup/version_number.h"
#include "support/ini_file.h"
#include "support/language_list.h"
#include "support/messages.h"

bool installed = false;

namespace in = installation;

namespace {

const RegistryRoot kMachine = RegistryRoot::LocalMachine;

Registry& TheRegistry()
{
    return *ThePlatform().registry;
}

void TakeStoredLanguage()
{
    if (ChosenLanguage == -1 && TranslationOn && TheRegistry().KeyExists(kMachine, in::VendorKey())) {
        if (const auto stored = TheRegistry().ReadInteger(kMachine, in::VendorKey(), in::kLanguageValue))
            ChosenLanguage = *stored;
    }
}

// What the product key and the settings file say about an installation.
struct InstalledProduct {
    bool keyOK = false;
    bool iniOK = false;
    std::string folder; // Pfad as stored
};

InstalledProduct ReadInstallation()
{
    InstalledProduct product;
    Registry& registry = TheRegistry();
    const std::string key = in::ProductKey();
    product.keyOK = registry.KeyExists(kMachine, key) && registry.ValueExists(kMachine, key, in::kPathValue) &&
                    registry.ValueExists(kMachine, key, in::kLicenceValue);
    if (!product.keyOK)
        return product;
    product.folder = registry.ReadString(kMachine, key, in::kPathValue).value_or("");
    const std::string settings = in::SettingsFile(in::WithSlash(product.folder));
    if (!product.folder.empty() && ThePlatform().files->FileExists(settings)) {
        tinifile2 ini(settings);
        product.iniOK = !ini.ReadString(in::kMainWindowSection, in::kTitleKey, "").empty();
    }
    return product;
}

bool HoldsProgram(const std::string& folder)
{
    return FolderExists(folder) && ThePlatform().files->FileExists(in::ProgramFile(folder));
}

[[noreturn]] void StartAndEnd(const std::string& program, const std::string& parameters)
{
    ShellOpen(program, parameters);
    QuitProgram();
}

void UpdateOlder(const std::string& folder)
{
    const std::string program = in::ProgramFile(folder);
    if (MyMessageDlg("|18|" + ProgInfo.Title, mtConfirmation, mbYes | mbNo) == mrYes) {
        if (ThePlatform().files->CopyReplacing(ThePlatform().folders->ExecutablePath(), program))
            MyShowMessage("Ihr Produkt wurde aktualisiert.");
        else
            MyShowMessage("|14");
    }
    StartAndEnd(program, "");
}

// The version checks; may end the program. Returns whether keyOK still holds.
bool CheckVersions(const InstalledProduct& product)
{
    const std::string key = in::ProductKey();
    const std::string instTitle = TheRegistry().ReadString(kMachine, key, in::kTitleValue).value_or("");
    std::int32_t instVer = VersionNumberFromTitle(instTitle);
    const std::int32_t ownVer = ProgInfo.Version;
    LogLine("-instT:" + instTitle + ", " + product.folder);
    const std::string here = UpperStr(ProgInfo.ProgDir);
    const std::string instDir = in::WithSlash(product.folder);
    const bool fromHere = UpperStr(instDir) == here;
    if (fromHere && instTitle != ProgInfo.Title) {
        TheRegistry().WriteString(kMachine, key, in::kTitleValue, ProgInfo.Title);
        instVer = ownVer;
    }
    switch (CompareInstalled(instVer, ownVer)) {
    case InstalledVersion::Older:
        if (fromHere)
            break;
        if (HoldsProgram(instDir))
            UpdateOlder(instDir);
        if (!FolderExists(instDir))
            TheRegistry().WriteString(kMachine, key, in::kPathValue, ProgInfo.ProgDir);
        break;
    case InstalledVersion::Same: {
        LogLine("-Gleich");
        const std::string trimmed = in::WithSlash(TrimStr(product.folder));
        if (UpperStr(trimmed) != here && HoldsProgram(trimmed)) {
            LogLine("-instB");
            MyShowMessage("Sie haben bereits dieses Produkt im Pfad \"%s\" installiert, welches nun gestartet "
                          "wird.|" +
                          trimmed);
            StartAndEnd(in::ProgramFile(trimmed), "=");
        }
        break;
    }
    case InstalledVersion::Newer:
        LogLine("-neuer");
        if (HoldsProgram(instDir)) {
            LogLine("-instN");
            MyShowMessage("Neuere Version existiert schon in Pfad \"%s\". Wird jetzt gestartet...|" + instDir);
            StartAndEnd(in::ProgramFile(instDir), "");
        }
        return false;
    }
    return true;
}

// An entry written by a setup run from elsewhere names that program; the
// installed copy corrects it.
void RefreshUninstallEntry()
{
    Registry& registry = TheRegistry();
    const std::string key = in::UninstallKey();
    if (!registry.KeyExists(kMachine, key)) {
        registry.CreateKey(kMachine, key);
        registry.WriteString(kMachine, key, in::kInstalledValue, FormatDateRec(NowRec(), 6));
        registry.WriteString(kMachine, key, in::kDisplayNameValue, ProgInfo.Title);
    }
    if (registry.ReadString(kMachine, key, in::kDisplayNameValue) != ProgInfo.Title)
        registry.WriteString(kMachine, key, in::kDisplayNameValue, ProgInfo.Title);
    const std::string uninstall = ThePlatform().folders->ExecutablePath() + " " + in::kUninstallSwitch;
    if (registry.ReadString(kMachine, key, in::kUninstallStringValue) != uninstall)
        registry.WriteString(kMachine, key, in::kUninstallStringValue, uninstall);
}

// "/ini": installs where the program is (the shared program file: in the user's
// default folder), with both links, and starts the installed copy.
[[noreturn]] void InstallSilently(SetupWizard& wizard)
{
    wizard.Choice() = {in::SilentInstallFolder(), true, true};
    wizard.SetPage(OptionsPage);
    wizard.Forward();
    if (wizard.Page() != FinishedPage) // the failure has been shown; there is nothing to start
        QuitProgram();
    wizard.Forward();
    QuitProgram();
}

} // namespace

void CheckInstallation(SetupWizard& wizard, SetupHost& host)
{
    wizard.Choice().folder = in::DefaultFolder();
    wizard.SetPage(InformationPage);

    TakeStoredLanguage();
    if (TranslationOn && ChosenLanguage >= 0 && ChosenLanguage != TextLanguage)
        host.SwitchLanguage(ChosenLanguage);

    InstalledProduct product = ReadInstallation();
    if (product.keyOK)
        product.keyOK = CheckVersions(product);
    else if (!TheRegistry().KeyExists(kMachine, in::ProductKey()) && TheRegistry().KeyExists(kMachine, in::VendorKey()))
        LogLine("-inst1-");
    else if (!TheRegistry().KeyExists(kMachine, in::ProductKey()) &&
             TheRegistry().KeyExists(kMachine, in::SoftwareKey()))
        LogLine("-inst1+");

    installed = product.keyOK && product.iniOK;
    if (!installed && ParamLine == "/ini")
        InstallSilently(wizard);
    if (installed) {
        RefreshUninstallEntry();
    } else {
        if (CurrentLanguage == LanguageEnglish)
            host.SwitchLanguage(LanguageGerman);
        wizard.SetPage(WelcomePage);
        host.ShowModal();
        QuitProgram(); // the wizard ends the program on every way out
    }
    StartingUp = false;
    wizard.SetPage(InformationPage);
}
