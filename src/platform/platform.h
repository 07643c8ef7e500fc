#pragma once

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/instance_lock.h"
#include "platform/keyboard_output.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_folders.h"
#include "platform/system_info.h"

// Everything the program takes from the operating system, in one place. The
// program installs its system's implementation at start; tests install fakes.
struct Platform {
    Registry* registry = nullptr;
    FileSystem* files = nullptr;
    SystemFolders* folders = nullptr;
    Shell* shell = nullptr;
    InstanceLocks* instanceLocks = nullptr;
    Desktop* desktop = nullptr;
    SystemInfo* systemInfo = nullptr;
    KeyboardOutput* keyboard = nullptr; // brings another window to the front
};

// Installs the platform (nullptr removes it) and returns the previous one.
Platform* SetPlatform(Platform* platform);

// The installed platform; throws std::logic_error when none is installed.
Platform& ThePlatform();
