#pragma once

#include "platform/shell.h"

#include <string>

// Folders, special folders, links and opening files, as the setup and the
// windows use them. Failures are shown to the user here.

// Makes sure the folder exists, creating each missing level; a trailing file
// name is ignored. Shows "Konnte das Verzeichnis %s nicht anlegen" on failure.
bool ForceFolder(const std::string& path);
// The same without a message: false when a level cannot be made.
bool CreateFolderPath(const std::string& path);

// Sets result to the folder (ending in "/") of shell folder id (2: the start
// menu's programs, 16: the desktop); leaves it when the system has none.
void SpecialFolder(int id, std::string& result);

// Writes a link linkFile (its name ends in ".lnk") that starts target in workFolder.
bool CreateWinLink(const std::string& target, const std::string& linkFile, const std::string& workFolder,
                   const LinkDetails& details = {});

// Starts a program or opens a document in the file's own folder.
void ShellOpen(const std::string& file, const std::string& parameters = {});
// Hands a document, web or "mailto:" address to the desktop.
void ShellOpenDocument(const std::string& target);

// Shows the text for a failed start; codes 0, negative and above 32 show nothing.
void ShowShellError(int code);
