#pragma once

#include <string>

// The text of a desktop launcher (".desktop" file) that starts the program at
// target (a native path) in workFolder (empty: no working folder), shown as name
// with the icon of that name or path (empty: the desktop's own), in the menu's
// Utility and Accessibility categories.
std::string DesktopEntryText(const std::string& name, const std::string& target, const std::string& workFolder,
                             const std::string& icon = {});

// The launcher's file name for a link name "Name.lnk": "Name.desktop".
std::string DesktopEntryFileName(const std::string& linkFile);
