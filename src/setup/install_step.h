#pragma once

#include <string>

// Installs the running program into a folder for the user: the program file,
// its settings file, its icon, the registry values of the vendor, product and
// uninstall keys, and the optional start-menu and desktop links.
struct InstallChoice {
    std::string folder; // ends in "/"
    bool startMenuLink = true;
    bool desktopLink = true;
};

// The icon pictures written beside the program (PNG and SVG bytes); the
// information form gives them from its record.
struct InstallIcons {
    std::string png;
    std::string svg;
};

// Shows what failed and returns false when the installation is incomplete: the
// folder, the settings file, a registry value, the program file, the icon or a link.
bool InstallProgram(const InstallChoice& choice, const InstallIcons& icons);
