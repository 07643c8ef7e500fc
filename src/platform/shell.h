#pragma once

#include <string>
#include <vector>

// Starting programs and documents, and making links to programs.

enum class ShellVerb { Open, Play };

// Result codes of Execute, with the classic values: above 32 means started;
// 0 to 32 are failures.
enum ShellResult : int {
    ShellFileNotFound = 2, // file not found
    ShellPathNotFound = 3, // path not found
    ShellAccessDenied = 5,
    ShellOutOfMemory = 8, // not enough memory
    ShellBadFormat = 11,  // not a program
    ShellSharingViolation = 26,
    ShellAssociationIncomplete = 27,
    ShellNoAssociation = 31, // no application for this kind of file
    ShellLibraryNotFound = 32,
    ShellStarted = 33,
};

// A further way to start a link's target, offered beside the link itself (a
// desktop action of a launcher): the target started with the parameters.
struct LinkAction {
    std::string name;
    std::string parameters;
};

// What a link carries beyond its target: a picture file shown for it, and actions.
struct LinkDetails {
    std::string icon;
    std::vector<LinkAction> actions;
};

class Shell {
public:
    virtual ~Shell() = default;

    // Starts the program file, or opens the document, web or "mailto:" address,
    // with verb. file is one name (a blank in it needs no quotes); parameters go
    // to a program as its command line; folder, when not empty, is the working
    // folder. Returns one of the codes above.
    virtual int Execute(ShellVerb verb, const std::string& file, const std::string& parameters,
                        const std::string& folder) = 0;

    // Writes a link that starts target in workFolder (empty: no working folder).
    // linkFile names the link as the program calls it, ending in ".lnk"; an
    // implementation may store it under its own kind of name beside it. A
    // system without link actions leaves them out. Returns whether the link was written.
    virtual bool CreateLink(const std::string& target, const std::string& linkFile, const std::string& workFolder,
                            const LinkDetails& details) = 0;
    // The links in folder that start target, by the names CreateLink was given
    // (ending in ".lnk"); links that cannot be read are left out.
    virtual std::vector<std::string> LinksTo(const std::string& folder, const std::string& target) = 0;
    // Removes the link named linkFile as CreateLink stored it; true when it is gone.
    virtual bool RemoveLink(const std::string& linkFile) = 0;
};
