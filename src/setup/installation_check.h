#pragma once

#include "setup/setup_wizard.h"

// Whether this start runs as the installed program (set by CheckInstallation):
// the product key holds the folder and the licence, the settings file there
// holds the title, and the installed version is not newer than this one.
extern bool installed;

// Decides the role of this start once the information form has its texts and
// appearance: launcher of an installation elsewhere, updater of an older one,
// silent installer ("/ini"), setup wizard, or the installed program. Every role
// but the last ends the program through QuitProgram; the installed program
// returns with the wizard on the information page.
void CheckInstallation(SetupWizard& wizard, SetupHost& host);
