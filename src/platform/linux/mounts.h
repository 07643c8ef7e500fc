#pragma once

#include "platform/system_info.h"

#include <string>
#include <vector>

// The mounted file systems as /proc/self/mountinfo lists them.

struct MountEntry {
    std::string mountPoint; // native path, without trailing "/" (except "/")
    std::string fsType;
    std::string source;
};

// Later entries hide earlier ones at the same mount point.
std::vector<MountEntry> ParseMountInfo(const std::string& text);

// The kind of drive a mounted file system is. removable: the block device is
// marked removable by the system.
DriveKind KindOfMount(const MountEntry& mount, bool removable);

// The mount holding path (a native absolute path without "." or ".." levels):
// the one with the deepest mount point above it; nullptr when none.
const MountEntry* MountHolding(const std::vector<MountEntry>& mounts, const std::string& path);

// "\x20" and the like in the names of /dev/disk/by-label, decoded.
std::string DecodeLabel(const std::string& name);
