#pragma once

#include <string>
#include <vector>

// The uninstaller's rules: where the installation is, whether its folder may be
// touched, and the removal of what the installer wrote, one thing at a time.
// Only the names the installer writes are removed, and files only inside the
// folder the product key's Pfad names; everything else stays. Texts are
// Windows-1252 bytes; the program record's ShortName and Maker must be set.

struct FoundInstallation {
    bool present = false; // the product key or the uninstall entry exists
    std::string folder;   // Pfad with a trailing "/", as stored otherwise
    std::string title;    // the title the product key records, else the program's own
};

FoundInstallation FindInstallation();

// Why the folder may not be touched, as a German program text with the folder
// as its parameter ("...%s...|folder"); empty when it is an installation folder
// of ours: a complete path, neither the root nor the user's home folder, and
// holding the program file.
std::string RefusalOf(const std::string& folder);

struct RemovalResult {
    std::vector<std::string> failed;       // what could not be removed, as shown to the user
    std::vector<std::string> leftInFolder; // entries of the folder that are not ours
    bool registryKept = false;             // the program file stayed, so the entries did too
};

// Removes the launchers that start the program file, the files of the list in
// the folder, the folder when it is then empty, and the registry entries: the
// product key, the uninstall entry, the vendor key's Sprache and the vendor key
// when nothing is left in it. The registry entries stay while the program file
// does, so that the removal can be run again. The folder must have passed RefusalOf.
RemovalResult RemoveInstallation(const FoundInstallation& found);

// The final report, translated: done, or what was left and why.
std::string RemovalReport(const FoundInstallation& found, const RemovalResult& result);
