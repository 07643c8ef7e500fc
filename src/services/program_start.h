#pragma once

#include <cstdint>
#include <string>

// Start and end of the program: fills ProgInfo and ParamLine before any window
// is created, keeps the single-instance lock, opens the log on "/L".

// Runs the start-up in its fixed order, on the installed platform (the program's
// own: InstallNativePlatform, platform/platform.h). singleInstance: whether
// a second start is refused while the program runs; a second instance ends the
// process here.
void StartProgram(bool singleInstance);

// Title + " " + major + "." + minor (+ "b" for a pre-release), e.g. "Tapsody 1.7";
// an empty title is replaced by the short name.
std::string VersionTitle(const std::string& title, const std::string& shortName, std::int32_t version);

// Frees what start-up created: the language list and the single-instance lock.
// The entry point calls it when the program ends normally.
void EndProgram();

// Ends the program at once: EndProgram, then the hook the windows install to
// tell their toolkit (so that no main window shows); the process stops
// afterwards in any case.
using QuitHook = void (*)();
QuitHook SetQuitHook(QuitHook hook);
[[noreturn]] void QuitProgram();

// --- Steps of the start-up, exposed for their callers and tests -------------

struct ProgramLocation {
    std::string progDir;   // folder of the program file, ending in "/"; empty when unknown
    std::string paramLine; // the parameters, trimmed
};
// Splits the complete command line into the program folder and the parameters.
// ownPathLength: length of the program's own path, used for an unquoted line.
ProgramLocation SplitCommandLine(const std::string& commandLine, std::size_t ownPathLength);

// The first folder in the fallback chain, starting at startDir, where a file can
// be created; after 20 failed tests the last candidate.
std::string FindSaveFolder(const std::string& startDir);

// Whether the single-instance lock is held by this process.
bool HoldsInstanceLock();
