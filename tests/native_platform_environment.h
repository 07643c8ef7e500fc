#pragma once

#include "platform/platform.h"

#include <gtest/gtest.h>

// Window tests: the windows reach the system through the platform layer, as in
// the program. Included once by a test program, it installs the layer before
// its tests run.
class NativePlatformEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InstallNativePlatform(); }
};

inline const auto* const kNativePlatformEnvironment =
    ::testing::AddGlobalTestEnvironment(new NativePlatformEnvironment);
