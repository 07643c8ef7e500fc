#pragma once

#include <cstdint>
#include <string>

// Version numbers as titles carry them: "Tapsody 1.7" is 107, "Tapsody 1.7b"
// (a pre-release of 1.7) is -107, "Tapsody 2.15" is 215.
std::int32_t VersionNumberFromTitle(const std::string& title);

// How an installed version stands to the running one.
enum class InstalledVersion { Older, Same, Newer };

// A pre-release counts as older than its release, and an installed pre-release
// as older than the same pre-release running, so that it is offered an update.
InstalledVersion CompareInstalled(std::int32_t installed, std::int32_t own);
