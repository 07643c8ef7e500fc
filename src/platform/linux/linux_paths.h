#pragma once

#include <string>

// Where the user's files live, from the XDG variables and the home folder, as
// native (UTF-8) paths without a trailing "/".

std::string HomePath();
// $XDG_CONFIG_HOME, or ~/.config.
std::string ConfigHomePath();
// $XDG_DATA_HOME, or ~/.local/share.
std::string DataHomePath();
// A folder named in ~/.config/user-dirs.dirs (name such as "DOCUMENTS"), or
// ~/fallback when it is not named there.
std::string UserDirPath(const std::string& name, const std::string& fallback);
// The user's own temporary folder, never one other users can write to:
// $XDG_RUNTIME_DIR when it names a folder of ours that only we may write, else
// $XDG_CACHE_HOME/tapsody (~/.cache/tapsody), made with mode 0700 when missing.
std::string TempPath();
// $XDG_RUNTIME_DIR when it names a folder; empty otherwise.
std::string RuntimePath();

// A Windows-1252 path as the system spells it, and back; back adds a trailing "/".
std::string NativePath(const std::string& ansiPath);
std::string AnsiFolder(const std::string& nativePath);

// Creates the folder and its missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& nativePath);
