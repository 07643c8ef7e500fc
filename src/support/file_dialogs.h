#pragma once

#include <string>

class QWidget;

// The toolkit's file dialogs, modal over a window of the program. Captions are
// program texts and are translated; file names are Windows-1252 bytes, empty
// when the user cancels. The filter is a pattern such as "*.ini".

// An existing file to open, starting in the folder of startFile (or startFile
// itself when it is a folder).
std::string AskFileToOpen(QWidget* parent, const std::string& caption, const std::string& filter,
                          const std::string& startFile);

// A file to write; a name without an extension gets defaultSuffix, and the
// dialog asks before an existing file is replaced.
std::string AskFileToSave(QWidget* parent, const std::string& caption, const std::string& filter,
                          const std::string& startFile, const std::string& defaultSuffix);
