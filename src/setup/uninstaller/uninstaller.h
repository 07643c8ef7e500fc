#pragma once

#include <chrono>
#include <string>

// The uninstaller's run once start-up has filled the program record with the
// name of the program to remove (ShortName), its title and Maker: it shows its
// texts in the language the vendor key's Sprache names, finds the installation,
// refuses a folder that is not ours, waits up to lockWait for a running copy
// of the program to end (its lock, or a window with its title), asks, removes
// and reports. Returns the exit status:
// 0 when it removed everything or had nothing to do, 1 otherwise.
int RunUninstaller(std::chrono::milliseconds lockWait);

// Whether a parameter can name the program to remove: a plain file name.
bool IsProgramName(const std::string& name);

// When the running program is the copy written out for one removal (the file
// "quninst" in a folder made for it in the temporary folder), removes the file
// and that folder; any other copy stays.
void RemoveOwnCopy();
