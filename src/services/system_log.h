#pragma once

#include "platform/desktop.h"
#include "platform/system_info.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The optional log ("/L") and the facts about the machine it records.

// SaveDir + the short name (only its first letter a capital when it has no
// lower-case letter) + ".log".
std::string LogFileName();
// The same name in another folder.
std::string LogFileNameIn(const std::string& folder);

// Creates the log anew with the given lines; false when it cannot be written.
bool CreateLogFile(const std::vector<std::string>& lines);
// Appends text as one line while the log is on. A log that cannot be written
// is switched off; the line is dropped.
void LogLine(const std::string& text);

// Logs the text of an error (translated, with "." appended); a negative code
// also shows it in an error box.
void ReportError(std::int32_t code, const std::string& message);

std::int32_t CpuSpeedMHz();
// Total physical memory in bytes when total is set, the available memory otherwise.
std::uint64_t MemorySize(bool total);
// Physical memory in use, in percent.
std::uint32_t MemoryLoad();
std::string OSName();
// "Win " + the version's name, "Linux " + kernel version and distribution, or "unbekannt".
std::string OSNameOf(const std::optional<OsVersion>& version);
// e.g. "1.024 x 768 32bit  60 Hz".
std::string ScreenInfo();
std::string ScreenInfoOf(const ScreenMode& mode);
std::string ComputerNameStr();
std::string UserNameStr();

// Drive type of the drive holding path: 0 unknown, 1 no such root, 2 removable,
// 3 fixed, 4 network, 5 optical, 6 RAM disk.
std::int32_t DriveTypeOf(const std::string& path);
// Volume label of the drive holding path, or empty.
std::string VolumeLabel(const std::string& path);
