#pragma once

#include "platform/shell.h"

#include <string>

// Programs are started directly with their folder as working folder; documents,
// web and "mailto:" addresses go to the desktop's opener: "xdg-open" for the
// verb Open and "gio open" for Play (the second way, tried when the first finds
// no application). An opener that is not installed counts as "no application
// for this file". Links are desktop launchers (".desktop") beside the ".lnk" name;
// a missing folder of a launcher is created. A launcher starts what the first
// argument of its Exec key names.
class LinuxShell final : public Shell {
public:
    int Execute(ShellVerb verb, const std::string& file, const std::string& parameters,
                const std::string& folder) override;
    bool CreateLink(const std::string& target, const std::string& linkFile, const std::string& workFolder,
                    const LinkDetails& details) override;
    std::vector<std::string> LinksTo(const std::string& folder, const std::string& target) override;
    bool RemoveLink(const std::string& linkFile) override;
};

// The result code for a program that could not be started with errno error.
int ShellCodeOfStartError(int error);
// The result code for an opener that ended with status (0: opened).
int ShellCodeOfOpenerStatus(int status);
