#pragma once

#include <cstdint>
#include <string>

// Facts about the running program that every window and service shares, filled
// by StartProgram (services/program_start.h). Folder fields end in "/" once set.
// Texts are Windows-1252 bytes. The windows take the program's icon from their
// toolkit's application object.
struct TProgInfo {
    // Folder of the program file. It keeps its letter case, since the file system
    // tells cases apart: compare it through UpperStr, open it as it is.
    std::string ProgDir;
    std::string SaveDir;        // where the settings file and the log are written
    std::string ShortName;      // stem of the settings file, the log and the instance lock
    std::string Maker;          // set by the information form
    std::string Title;          // the entry point appends the version
    std::string Byline;         // the product's web address, without a trailing "/"
    std::string ContactAddress; // set by the information form
    std::string PersonalDir;    // the user's documents
    std::string ProgFilesDir;   // where programs are installed
    std::string TempDir;
    std::string WindowsDir;   // the system's settings folder
    std::int32_t Version = 0; // major * 100 + minor; negative for a pre-release
    std::string ComputerName; // "-" when the system does not tell
    bool LogEnabled = false;  // the log ("/L") is being written
};

extern TProgInfo ProgInfo;

// The product's name and version, which the program and its uninstaller both show.
inline constexpr char kProductTitle[] = "Tapsody";
inline constexpr std::int32_t kProductVersion = 107;

// The command-line parameters after start-up removed the program path and "/L".
extern std::string ParamLine;

// Set while the program is still starting up; the custom controls read it.
extern bool StartingUp;
