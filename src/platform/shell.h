#pragma once

#include <string>

// Starting programs and documents, and making links to programs.

enum class ShellVerb { Open, Play };

// Result codes of Execute: above 32 means started; 0 to 32 are failures.
inline constexpr int SE_ERR_FNF = 2;            // file not found
inline constexpr int SE_ERR_PNF = 3;            // path not found
inline constexpr int SE_ERR_ACCESSDENIED = 5;
inline constexpr int SE_ERR_OOM = 8;            // not enough memory
inline constexpr int ERROR_BAD_FORMAT = 11;     // not a program
inline constexpr int SE_ERR_SHARE = 26;
inline constexpr int SE_ERR_ASSOCINCOMPLETE = 27;
inline constexpr int SE_ERR_NOASSOC = 31;       // no application for this kind of file
inline constexpr int SE_ERR_DLLNOTFOUND = 32;
inline constexpr int SHELL_EXECUTE_OK = 33;

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
    // implementation may store it under its own kind of name beside it.
    // Returns whether the link was written.
    virtual bool CreateLink(const std::string& target, const std::string& linkFile,
                            const std::string& workFolder) = 0;
};
