#pragma once

#include "platform/platform.h"

#include <memory>

// The Linux implementation of every platform interface, owned together. The X11
// parts use the shared display connection; without a display there are no
// other windows, no screen and no keyboard output (Platform::keyboard is null).
class LinuxPlatform {
public:
    LinuxPlatform();
    ~LinuxPlatform();
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    Platform& Get() { return platform_; }

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    Platform platform_;
};

// Creates the Linux platform on first use and installs it (SetPlatform); it
// lives until the process ends.
Platform& InstallLinuxPlatform();
