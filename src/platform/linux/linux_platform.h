#pragma once

#include "platform/platform.h"

#include <memory>

// The Linux implementation of every platform interface, owned together. The X11
// parts use the shared display connection; without a display there are no
// other windows, no screen, no keyboard output and no focus offers.
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
