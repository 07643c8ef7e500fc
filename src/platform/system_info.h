#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Facts about the machine for the log and the folder chooser. Texts are
// Windows-1252 bytes; nothing here fails loudly.

struct MemoryStatus {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;
    std::uint32_t loadPercent = 0; // physical memory in use
};

enum class OsFamily { Unknown, Windows9x, WindowsNT, Linux };

struct OsVersion {
    OsFamily family = OsFamily::Unknown;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::string servicePack;  // Windows: the service-pack text
    std::string distribution; // Linux: the distribution's name and release
};

// Kinds of drive, numbered as the classic drive types.
enum class DriveKind : std::int32_t {
    Unknown = 0,
    NoRoot = 1,
    Removable = 2,
    Fixed = 3,
    Network = 4,
    Optical = 5,
    RamDisk = 6,
};

// A mounted file system (a drive, where the system has drive letters).
struct DriveInfo {
    std::string root; // where it is reached, ending in "/"
    DriveKind kind = DriveKind::Unknown;
    std::string label;  // volume label, empty when it has none
    std::string source; // the device or network share it comes from
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // Empty when the system does not tell.
    virtual std::string ComputerName() = 0;
    virtual std::string UserName() = 0;
    // Processor clock measured over about 300 ms, in MHz; 0 when it cannot be told.
    virtual std::int32_t ProcessorClockMHz() = 0;
    virtual MemoryStatus Memory() = 0;
    // Nothing when the version cannot be asked.
    virtual std::optional<OsVersion> Version() = 0;

    // The drive holding path, or that would hold it (the mounted file system
    // with the deepest root above it); nothing for a path that is not absolute.
    virtual std::optional<DriveInfo> DriveOf(const std::string& path) = 0;
    // Bytes free for the user on the drive holding path; -1 when it cannot be asked.
    virtual std::int64_t FreeBytes(const std::string& path) = 0;
    // The drives the user can browse, in the order of their roots; pseudo file
    // systems and read-only images are left out.
    virtual std::vector<DriveInfo> Drives() = 0;
};
