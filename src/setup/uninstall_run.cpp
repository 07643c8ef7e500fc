#include "setup/uninstall_run.h"

#include "platform/platform.h"
#include "services/program_record.h"
#include "services/shell_integration.h"
#include "setup/installation_names.h"
#include "support/messages.h"

namespace in = installation;

bool StartUninstaller(const std::string& program)
{
    FileSystem& files = *ThePlatform().files;
    // A folder made for this run alone: nobody can have put a file there to be
    // started in the uninstaller's place, or swap it before it starts.
    const auto folder = files.CreatePrivateFolder(ProgInfo.TempDir, in::UninstallerFolderPrefix());
    if (!folder) {
        MyShowMessage("Im Verzeichnis %s konnte kein Ordner f\xFCr das Deinstallationsprogramm angelegt werden.|" +
                      ProgInfo.TempDir);
        return false;
    }
    const std::string path = *folder + in::kUninstallerFile;
    if (program.empty() || !files.CreatePrivateProgram(path, program)) {
        MyShowMessage("Die Datei %s konnte nicht geschrieben werden.|" + path);
        files.RemoveFolder(*folder);
        return false;
    }
    const int started = ThePlatform().shell->Execute(ShellVerb::Open, path, ProgInfo.ShortName, {});
    if (started >= ShellStarted)
        return true;
    ShowShellError(started);
    files.Remove(path);
    files.RemoveFolder(*folder);
    return false;
}
