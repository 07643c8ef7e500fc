#include "setup/setup_wizard.h"

#include "platform/platform.h"
#include "services/program_record.h"
#include "services/program_start.h"
#include "services/shell_integration.h"
#include "services/system_log.h"
#include "services/text_helpers.h"
#include "setup/installation_names.h"
#include "support/language_list.h"
#include "support/messages.h"

namespace {

const char kQuitSetup[] = "Setup beenden?";
const char kQuitWithoutLicence[] = "Wenn Sie nicht unsere Lizenzvereinbarungen akzeptieren, d\xFCrfen Sie die "
                                   "Installation nicht fortsetzen. Setup beenden?";

bool Confirmed(const std::string& question)
{
    return MyMessageDlg(question, mtConfirmation, mbYes | mbNo) == mrYes;
}

// Keeps the language chosen in the form for the next start, under the vendor key.
void SaveLanguage()
{
    Registry& registry = *ThePlatform().registry;
    const std::string key = installation::VendorKey();
    if (!TranslationOn || !registry.KeyExists(RegistryRoot::LocalMachine, key))
        return;
    const auto stored = registry.ReadInteger(RegistryRoot::LocalMachine, key, installation::kLanguageValue);
    if (!stored || *stored != CurrentLanguage)
        registry.WriteInteger(RegistryRoot::LocalMachine, key, installation::kLanguageValue, CurrentLanguage);
}

} // namespace

void SetupWizard::StartInstalledCopy()
{
    LogLine("3:starten");
    ShellOpen(installation::ProgramFile(choice_.folder), "=" + NumToStr(CurrentLanguage));
    QuitProgram();
}

void SetupWizard::Forward()
{
    switch (page_) {
    case WelcomePage:
        host_.SwitchLanguage(LanguageGerman);
        page_ = LicencePage;
        break;
    case LicencePage: page_ = OptionsPage; break;
    case OptionsPage:
        if (InstallProgram(choice_, host_.Icons()))
            page_ = FinishedPage;
        break;
    case FinishedPage: StartInstalledCopy();
    case InformationPage: host_.Close(); return;
    default: ++page_;
    }
    host_.ShowPage();
}

void SetupWizard::Back()
{
    if (page_ == WelcomePage) {
        page_ = LicencePage;
        host_.SwitchLanguage(LanguageEnglish);
    } else if (page_ == LicencePage) {
        host_.SwitchLanguage(LanguageGerman);
        page_ = WelcomePage;
    } else {
        --page_;
    }
    host_.ShowPage();
}

void SetupWizard::Cancel()
{
    if (Confirmed(page_ == LicencePage ? kQuitWithoutLicence : kQuitSetup))
        QuitProgram();
}

bool SetupWizard::CloseQuery(bool programInstalled)
{
    SaveLanguage();
    if (page_ != InformationPage) {
        if (Confirmed(kQuitSetup))
            QuitProgram();
        return false;
    }
    if (!programInstalled)
        QuitProgram();
    return true;
}
