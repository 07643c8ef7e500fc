#pragma once

#include <string>

// The removal of an installation runs in a program of its own that travels
// inside this one. Writes program (the uninstaller's bytes) as the file
// "quninst" into a new folder of the temporary folder that only the user may
// enter, and starts it with ShortName as its parameters; the uninstaller removes
// the file and the folder when it ends. False when it could not be written or
// started; the reason has been shown, and nothing is left behind.
bool StartUninstaller(const std::string& program);
