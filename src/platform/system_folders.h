#pragma once

#include <optional>
#include <string>

// The folders the system assigns to the program and its user, and how the
// program was started. Folder names are Windows-1252 bytes ending in "/".

// Shell folder identifiers the program asks for, with the classic values.
enum SpecialFolderId : int {
    SpecialFolderPrograms = 2,          // the start menu's program folder
    SpecialFolderDesktopDirectory = 16, // the desktop folder
};

class SystemFolders {
public:
    virtual ~SystemFolders() = default;

    // The folder of the system's own settings and tools; empty when unknown.
    virtual std::string WindowsFolder() = 0;
    // Where programs are installed when the registry does not say.
    virtual std::string ProgramFilesFolder() = 0;
    // The user's documents folder.
    virtual std::string DocumentsFolder() = 0;
    virtual std::string TempFolder() = 0;
    // The user's own folder.
    virtual std::string HomeFolder() = 0;
    // The two last-resort folders the save-folder search tries after the
    // program-files folder (the system drive and a second drive where drives exist).
    virtual std::string FirstFallbackFolder() = 0;
    virtual std::string SecondFallbackFolder() = 0;
    // A shell special folder; nothing when the system cannot give it.
    virtual std::optional<std::string> SpecialFolder(int id) = 0;

    // The full path of the running program file.
    virtual std::string ExecutablePath() = 0;
    // The complete command line: the program path in double quotes (a double
    // quote inside it written twice), then the parameters separated by blanks (a
    // parameter holding a blank in double quotes).
    virtual std::string CommandLine() = 0;
};
