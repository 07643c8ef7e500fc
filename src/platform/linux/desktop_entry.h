#pragma once

#include <optional>
#include <string>
#include <vector>

// A desktop launcher (".desktop" file) that starts the program at target in
// workFolder (empty: no working folder), shown as name with the picture icon
// (empty: none), and offering actions that start target with their arguments.
// Paths and texts are native (UTF-8).
struct DesktopEntry {
    struct Action {
        std::string name;
        std::vector<std::string> arguments;
    };
    std::string name;
    std::string target;
    std::string workFolder;
    std::string icon;
    std::vector<Action> actions;
};

std::string DesktopEntryText(const DesktopEntry& entry);
std::string DesktopEntryText(const std::string& name, const std::string& target, const std::string& workFolder);

// The launcher's file name for a link name "Name.lnk": "Name.desktop".
std::string DesktopEntryFileName(const std::string& linkFile);
// And back: the link name "Name.lnk" for a file name "Name.desktop".
std::string LinkFileNameOf(const std::string& desktopEntryFile);

// The program a launcher's text starts: the first argument of the Exec key of
// its [Desktop Entry] group, unquoted; nothing when it has none.
std::optional<std::string> DesktopEntryTarget(const std::string& text);
