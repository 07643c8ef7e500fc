#pragma once

#include "platform/linux/linux_platform.h"

#include <gtest/gtest.h>

// Window tests: the windows reach the system through the platform layer, as in
// the program. Included once by a test program, it installs the layer before
// its tests run.
class LinuxPlatformEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InstallLinuxPlatform(); }
};

inline const auto* const kLinuxPlatformEnvironment =
    ::testing::AddGlobalTestEnvironment(new LinuxPlatformEnvironment);
