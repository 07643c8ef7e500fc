#pragma once

#include <cstdint>
#include <string>

// Facts about the running program that every window and service shares. Folder
// fields end in "/" once set. Texts are Windows-1252 bytes.
struct TProgInfo {
    std::string ProgDir;
    std::string SaveDir;
    std::string ShortName;
    std::string Maker;
    std::string Title;
    std::string Byline;
    std::string ContactAddress;
    std::string PersonalDir;
    std::string ProgFilesDir;
    std::string TempDir;
    std::string WindowsDir;
    std::int32_t Version = 0;      // major * 100 + minor; negative for a pre-release
    std::string ComputerName;
    bool LogEnabled = false;
};

extern TProgInfo ProgInfo;

// The command-line parameters after start-up removed the program path and "/L".
extern std::string ParamLine;

// Set while the program is still starting up; the custom controls read it.
extern bool StartingUp;
