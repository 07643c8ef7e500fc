#pragma once

#include <string>
#include <vector>

// What the buttons of the information dialog do. Failures are shown to the user.

// The homepage, at the anchor of this program: Byline + "/home.htm#" + the title without blanks.
void OpenHomepage();
// A new e-mail to the contact address with the title as its subject.
void WriteEMail();
// A link to the running program, named after the title without its version, in
// the special folder (the start menu's programs or the desktop), working in the
// program's folder. Says where the link is, or that it could not be made.
bool CreateProgramLink(int specialFolder);
// Writes both licence pages into the settings folder and opens the one in the
// current language (German while translation is off). A page that cannot be
// written is reported, and nothing is opened.
bool OpenLicencePages(const std::vector<std::string>& germanDocument, const std::vector<std::string>& englishDocument);
