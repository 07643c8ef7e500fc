#pragma once

#include <string>

// What an installation leaves behind, by name: the installer writes these, the
// start-up check reads them and the uninstaller removes them. Folders end in
// "/"; registry keys lie under HKEY_LOCAL_MACHINE. Texts are Windows-1252 bytes.
// Every function reads the program record (ShortName, Maker, Title), so call
// them once the information form has filled Maker.

namespace installation {

// Values of the vendor, product and uninstall keys.
inline constexpr char kLanguageValue[] = "Sprache";      // integer, vendor key
inline constexpr char kPathValue[] = "Pfad";             // installation folder, product key
inline constexpr char kLicenceValue[] = "Lizenzvertrag"; // date the licence was accepted, product key
inline constexpr char kAuthorValue[] = "von";
inline constexpr char kMakerValue[] = "Firma";
inline constexpr char kTitleValue[] = "Titel";
inline constexpr char kDisplayNameValue[] = "DisplayName"; // uninstall key
inline constexpr char kUninstallStringValue[] = "UninstallString";
inline constexpr char kInstalledValue[] = "Installiert";

// Sections and keys of the settings file an installation writes.
inline constexpr char kSettingsSection[] = "Einstellungen";
inline constexpr char kLicenceKey[] = "Lizenzvertrag";
inline constexpr char kLanguageKey[] = "Sprache";
inline constexpr char kMainWindowSection[] = "FensterMainform";
inline constexpr char kTitleKey[] = "Titel";

// The parameter that makes the program remove its installation.
inline constexpr char kUninstallSwitch[] = "/uninstall";
// The start-menu launcher's action that starts the installed program with it.
inline constexpr char kUninstallActionName[] = "Deinstallieren";

// "\Software"
std::string SoftwareKey();
// "\Software\" + Maker
std::string VendorKey();
// "\Software\" + Maker + "\" + ShortName
std::string ProductKey();
// "\Software\Microsoft\Windows\CurrentVersion\UnInstall\" + ShortName
std::string UninstallKey();

// The folder name ending in "/".
std::string WithSlash(const std::string& folder);

// The default installation folder: ProgFilesDir + ShortName + "/".
std::string DefaultFolder();
// The program file installed for every user of the system (by the Debian
// package, or cmake --install), such as "/usr/bin/tapsody".
std::string SharedProgramFile();
// Where "/ini" installs: where the running program is; for the shared program
// file, whose folder belongs to the system, the user's default folder.
std::string SilentInstallFolder();
// The program file in an installation folder: folder + ShortName.
std::string ProgramFile(const std::string& folder);
// The settings file in an installation folder: folder + ShortName + ".ini".
std::string SettingsFile(const std::string& folder);
// The icon pictures installed beside the program, for the launchers.
std::string IconFile(const std::string& folder);         // folder + ShortName + ".png"
std::string ScalableIconFile(const std::string& folder); // folder + ShortName + ".svg"
// The log, when it is written in an installation folder: see LogFileNameIn.
std::string LogFile(const std::string& folder);
// The licence document as a web page, written into the save folder by the
// information dialog (the German page's name holds "DE", the English one's not).
std::string LicencePageFile(const std::string& folder, bool german);
// The name of the start-menu and desktop links: Title + ".lnk" (on Linux the
// launcher Title + ".desktop" beside it).
std::string LinkFileName();
// The name of the links the information dialog makes: the title without its
// version (up to its last blank) + ".lnk"; a title without a blank gives ".lnk".
std::string VersionlessLinkFileName();

// The uninstaller written out for one removal: the file kUninstallerFile in a
// new private folder of the temporary folder whose name starts with
// UninstallerFolderPrefix().
inline constexpr char kUninstallerFile[] = "quninst";
std::string UninstallerFolderPrefix(); // ShortName + "-uninstall-"

} // namespace installation
