#pragma once

#include "platform/system_folders.h"

#include <string>
#include <vector>

// The user's folders by the XDG rules, so nothing outside the home folder is
// written unless the user chooses it:
//   Windows folder      $XDG_CONFIG_HOME (~/.config): where settings of the system live
//   program files       $XDG_DATA_HOME (~/.local/share): per-user programs and their data
//   documents           XDG_DOCUMENTS_DIR of user-dirs.dirs (~/Documents)
//   temporary folder    the user's own: $XDG_RUNTIME_DIR, else ~/.cache/tapsody (mode 0700)
//   home folder         $HOME
//   fallback folders    the home folder, then the root folder
//   special folder 2    $XDG_DATA_HOME/applications (the menu's launchers), also while missing
//   special folder 16   XDG_DESKTOP_DIR of user-dirs.dirs (~/Desktop), when it exists
class LinuxSystemFolders final : public SystemFolders {
public:
    std::string WindowsFolder() override;
    std::string ProgramFilesFolder() override;
    std::string DocumentsFolder() override;
    std::string TempFolder() override;
    std::string HomeFolder() override;
    std::string FirstFallbackFolder() override;
    std::string SecondFallbackFolder() override;
    std::optional<std::string> SpecialFolder(int id) override;
    std::string ExecutablePath() override;
    std::string CommandLine() override;
};

// The command line from the program path and the parameters (as /proc/self/cmdline
// gives them after the program's name).
std::string JoinCommandLine(const std::string& programPath, const std::vector<std::string>& parameters);
