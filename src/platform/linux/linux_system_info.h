#pragma once

#include "platform/system_info.h"

#include <map>
#include <optional>
#include <string>

// The machine as Linux describes it: host and user name, the processor's
// time-stamp counter (or /proc/cpuinfo where there is none), /proc/meminfo,
// uname and /etc/os-release, and the mounted file systems with their labels
// from /dev/disk/by-label and their removable mark from /sys/class/block.
class LinuxSystemInfo final : public SystemInfo {
public:
    std::string ComputerName() override;
    std::string UserName() override;
    std::int32_t ProcessorClockMHz() override;
    MemoryStatus Memory() override;
    std::optional<OsVersion> Version() override;
    std::optional<DriveInfo> DriveOf(const std::string& path) override;
    std::int64_t FreeBytes(const std::string& path) override;
    std::vector<DriveInfo> Drives() override;
};

// Parsers of the system's files, for a look without the files.
MemoryStatus ParseMemInfo(const std::string& text);
// Major and minor version from a kernel release such as "6.1.0-18-amd64".
OsVersion ParseKernelRelease(const std::string& release);
// PRETTY_NAME, or NAME and VERSION_ID, of an os-release file.
std::string DistributionName(const std::string& osRelease);
// The device (its canonical path) each label link in folder stands for.
std::map<std::string, std::string> LabelsByDevice(const std::string& folder = "/dev/disk/by-label");
// "cpu MHz" of the first processor in /proc/cpuinfo, rounded; 0 when missing.
std::int32_t CpuInfoMHz(const std::string& cpuInfo);
