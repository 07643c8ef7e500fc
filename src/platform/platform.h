#pragma once

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/focus_offers.h"
#include "platform/instance_lock.h"
#include "platform/keyboard_output.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_folders.h"
#include "platform/system_info.h"

// Everything the program takes from the operating system, in one place. The
// program installs its system's implementation at start; tests install fakes.
// Without a display, keyboard and focusOffers are null.
struct Platform {
    Registry* registry = nullptr;
    FileSystem* files = nullptr;
    SystemFolders* folders = nullptr;
    Shell* shell = nullptr;
    InstanceLocks* instanceLocks = nullptr;
    Desktop* desktop = nullptr;
    SystemInfo* systemInfo = nullptr;
    KeyboardOutput* keyboard = nullptr; // brings another window to the front
    FocusOffers* focusOffers = nullptr;
};

// Installs the platform (nullptr removes it) and returns the previous one.
Platform* SetPlatform(Platform* platform);

// The installed platform; throws std::logic_error when none is installed.
Platform& ThePlatform();
// The installed platform, nullptr when none is.
Platform* InstalledPlatform();

// Creates this system's platform on first use and installs it (SetPlatform); it
// lives until the process ends. The platform back-end the program is built with
// defines it.
Platform& InstallNativePlatform();
