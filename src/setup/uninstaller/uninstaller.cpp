#include "setup/uninstaller/uninstaller.h"

#include "platform/platform.h"
#include "services/program_record.h"
#include "services/text_helpers.h"
#include "setup/installation_names.h"
#include "setup/uninstaller/installation_removal.h"
#include "support/language_list.h"
#include "support/messages.h"
#include "support/translation.h"

#include <memory>
#include <thread>

namespace in = installation;

namespace {

// A text translated already, marked so that the dialogs take it as it is.
std::string AsShown(const std::string& text)
{
    return text + "|";
}

void TakeStoredLanguage()
{
    const auto stored =
        ThePlatform().registry->ReadInteger(RegistryRoot::LocalMachine, in::VendorKey(), in::kLanguageValue);
    if (stored)
        SwitchLanguage(*stored, [](std::uint8_t, std::uint8_t) {});
}

// A copy of the program runs while it holds its lock (a copy started with "="
// takes none) or shows a window with its title.
bool ProgramRuns(const std::string& title, std::unique_ptr<InstanceLockHandle>& lock)
{
    if (!lock && ThePlatform().instanceLocks->Acquire(ProgInfo.ShortName, lock) == InstanceLockResult::HeldElsewhere)
        return true;
    const std::string shown = UpperStr(title);
    for (const DesktopWindow& window : ThePlatform().desktop->TopLevelWindows())
        if (StartsWith(UpperStr(window.title), shown))
            return true;
    return false;
}

// Waits for the program to end (the copy that started this uninstaller is about
// to); false when a copy runs on.
bool ProgramHasEnded(const std::string& title, std::chrono::milliseconds lockWait,
                     std::unique_ptr<InstanceLockHandle>& lock)
{
    const auto deadline = std::chrono::steady_clock::now() + lockWait;
    while (ProgramRuns(title, lock)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

bool UserConfirms(const FoundInstallation& found)
{
    const std::string question =
        TranslateProgramText("Soll %s mit allen seinen Dateien, Verkn\xFCpfungen und Registrierungseintr\xE4gen von "
                             "diesem Computer entfernt werden?|" +
                             found.title) +
        "\r\n\r\n" + TranslateProgramText("Installationsverzeichnis: %s|" + found.folder);
    return MyMessageDlg(AsShown(question), mtConfirmation, mbYes | mbNo) == mrYes;
}

} // namespace

int RunUninstaller(std::chrono::milliseconds lockWait)
{
    TakeStoredLanguage();
    const FoundInstallation found = FindInstallation();
    if (!found.present) {
        MyShowMessage("%s ist auf diesem Computer nicht installiert.|" + found.title);
        return 0;
    }
    if (const std::string refusal = RefusalOf(found.folder); !refusal.empty()) {
        MyMessageDlg(
            AsShown(TranslateProgramText(refusal) + "\r\n\r\n" + TranslateProgramText("Es wurde nichts entfernt.")),
            mtError, mbOK);
        return 1;
    }
    std::unique_ptr<InstanceLockHandle> lock;
    if (!ProgramHasEnded(found.title, lockWait, lock)) {
        MyMessageDlg("%s l\xE4uft noch. Bitte beenden Sie das Programm und starten Sie die Deinstallation dann "
                     "erneut.|" +
                         found.title,
                     mtError, mbOK);
        return 1;
    }
    if (!UserConfirms(found))
        return 0;
    const RemovalResult result = RemoveInstallation(found);
    MyShowMessage(AsShown(RemovalReport(found, result)));
    return result.failed.empty() ? 0 : 1;
}

bool IsProgramName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

void RemoveOwnCopy()
{
    const std::string own = ThePlatform().folders->ExecutablePath();
    const int slash = LastPos("/", own);
    const std::string folder = LeftStr(own, slash);
    const std::string inTemp = TailFrom(folder, static_cast<int>(ProgInfo.TempDir.size()) + 1);
    const bool madeForThisRun = TailFrom(own, slash + 1) == in::kUninstallerFile && !ProgInfo.TempDir.empty() &&
                                StartsWith(folder, ProgInfo.TempDir) &&
                                StartsWith(inTemp, in::UninstallerFolderPrefix()) && CountOf("/", inTemp) == 1;
    if (!madeForThisRun)
        return;
    ThePlatform().files->Remove(own);
    ThePlatform().files->RemoveFolder(folder);
}
