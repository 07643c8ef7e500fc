#include "setup/installation_names.h"

#include "platform/platform.h"
#include "services/program_record.h"
#include "services/system_log.h"
#include "services/text_helpers.h"

// The build names where it installs the program; a compile without it (the
// check that the core builds for Windows) has no shared program file.
#ifndef TAPSODY_SHARED_PROGRAM
#define TAPSODY_SHARED_PROGRAM ""
#endif

namespace installation {

std::string SoftwareKey()
{
    return "\\Software";
}

std::string VendorKey()
{
    return SoftwareKey() + "\\" + ProgInfo.Maker;
}

std::string ProductKey()
{
    return VendorKey() + "\\" + ProgInfo.ShortName;
}

std::string UninstallKey()
{
    return "\\Software\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\" + ProgInfo.ShortName;
}

std::string DefaultFolder()
{
    return ProgInfo.ProgFilesDir + ProgInfo.ShortName + "/";
}

std::string SharedProgramFile()
{
    return TAPSODY_SHARED_PROGRAM;
}

std::string SilentInstallFolder()
{
    const std::string shared = SharedProgramFile();
    const bool isShared = !shared.empty() && ThePlatform().folders->ExecutablePath() == shared;
    return isShared ? DefaultFolder() : ProgInfo.ProgDir;
}

std::string WithSlash(const std::string& folder)
{
    return EndsWith(folder, "/") ? folder : folder + "/";
}

std::string ProgramFile(const std::string& folder)
{
    return folder + ProgInfo.ShortName;
}

std::string SettingsFile(const std::string& folder)
{
    return folder + ProgInfo.ShortName + ".ini";
}

std::string IconFile(const std::string& folder)
{
    return folder + ProgInfo.ShortName + ".png";
}

std::string ScalableIconFile(const std::string& folder)
{
    return folder + ProgInfo.ShortName + ".svg";
}

std::string LogFile(const std::string& folder)
{
    return LogFileNameIn(folder);
}

std::string LicencePageFile(const std::string& folder, bool german)
{
    return folder + ProgInfo.ShortName + (german ? "-Lizenz-DE.htm" : "-Licence-EN.htm");
}

std::string UninstallerFolderPrefix()
{
    return ProgInfo.ShortName + "-uninstall-";
}

std::string LinkFileName()
{
    return ProgInfo.Title + ".lnk";
}

std::string VersionlessLinkFileName()
{
    return LeftStr(ProgInfo.Title, LastPos(" ", ProgInfo.Title) - 1) + ".lnk";
}

} // namespace installation
