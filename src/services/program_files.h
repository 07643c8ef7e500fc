#pragma once

#include <string>

// The settings file and the small folder and file queries of the program.

// SaveDir + ShortName + ".ini".
std::string SettingsFileName();

// Before the settings file is opened: a settings file left in the program folder
// by an older version is copied to the save folder when the save folder has none.
void CarryOverSettingsFile();

// Trims, appends "/" when missing; a path of at most two characters stays as it is.
std::string NormalizeDir(const std::string& path);
std::string TempFolder();
bool FolderExists(const std::string& path);
bool FileIsReadOnly(const std::string& path);
