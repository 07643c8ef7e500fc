#include "platform/linux/linux_system_info.h"

#include "platform/ansi_utf8.h"
#include "platform/linux/linux_paths.h"
#include "platform/linux/mounts.h"

#include <pthread.h>
#include <pwd.h>
#include <sched.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <system_error>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#define TAPSODY_HAS_TSC 1
#endif

namespace {

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string Unquote(std::string value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

#ifdef TAPSODY_HAS_TSC
// Raises the calling thread to the highest real-time priority for the measurement
// when the system allows it (it usually does not for a user) and restores it after.
class HighPriority {
public:
    HighPriority()
    {
        saved_ = pthread_getschedparam(pthread_self(), &policy_, &param_) == 0;
        sched_param highest{};
        highest.sched_priority = sched_get_priority_max(SCHED_FIFO);
        pthread_setschedparam(pthread_self(), SCHED_FIFO, &highest);
    }
    ~HighPriority()
    {
        if (saved_)
            pthread_setschedparam(pthread_self(), policy_, &param_);
    }
    HighPriority(const HighPriority&) = delete;
    HighPriority& operator=(const HighPriority&) = delete;

private:
    bool saved_ = false;
    int policy_ = 0;
    sched_param param_{};
};

std::int32_t MeasureTimeStampCounter()
{
    using namespace std::chrono;
    HighPriority priority;
    std::this_thread::sleep_for(milliseconds(10));
    const auto startTime = steady_clock::now();
    const unsigned long long start = __rdtsc();
    std::this_thread::sleep_for(milliseconds(300));
    const unsigned long long end = __rdtsc();
    const auto elapsed = duration_cast<microseconds>(steady_clock::now() - startTime).count();
    // Cycles per microsecond over the time that really passed (a sleep may last longer).
    return elapsed > 0
               ? static_cast<std::int32_t>(std::lround(static_cast<double>(end - start) / static_cast<double>(elapsed)))
               : 0;
}
#endif

// The system marks a removable disk (not its partitions) in /sys/class/block.
bool IsRemovableDevice(const std::string& source)
{
    std::error_code error;
    const auto device = std::filesystem::canonical(source, error);
    if (error || !device.string().starts_with("/dev/"))
        return false;
    const auto block = std::filesystem::canonical("/sys/class/block/" + device.filename().string(), error);
    if (error)
        return false;
    for (const auto& folder : {block, block.parent_path()})
        if (ReadWholeFile(folder.string() + "/removable").starts_with("1"))
            return true;
    return false;
}

DriveInfo DescribeMount(const MountEntry& mount, const std::map<std::string, std::string>& labels)
{
    DriveInfo drive;
    drive.root = AnsiFolder(mount.mountPoint);
    const bool onDevice = mount.source.starts_with("/dev/");
    drive.kind = KindOfMount(mount, onDevice && IsRemovableDevice(mount.source));
    drive.source = Utf8ToAnsi(mount.source);
    if (!onDevice)
        return drive;
    std::error_code error;
    const auto device = std::filesystem::canonical(mount.source, error); // /dev/mapper/... names are links
    if (const auto label = labels.find(device.string()); !error && label != labels.end())
        drive.label = Utf8ToAnsi(label->second);
    return drive;
}

// The deepest existing folder at or above path, in its canonical form.
std::optional<std::string> ExistingAncestor(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return std::nullopt;
    std::filesystem::path current = std::filesystem::path(path).lexically_normal();
    std::error_code error;
    while (!std::filesystem::exists(current, error) && current.has_relative_path())
        current = current.parent_path();
    const auto canonical = std::filesystem::canonical(current, error);
    if (error)
        return std::nullopt;
    return canonical.string();
}

// A folder the user may open and list (not a file mounted over a file).
bool IsBrowsableFolder(const std::string& point)
{
    std::error_code error;
    return std::filesystem::is_directory(point, error) && access(point.c_str(), R_OK | X_OK) == 0;
}

bool IsSystemPlace(const std::string& point)
{
    for (const char* place : {"/proc", "/sys", "/dev", "/run"})
        if (point == place || point.starts_with(std::string(place) + "/"))
            return !point.starts_with("/run/media/");
    return false;
}

} // namespace

std::map<std::string, std::string> LabelsByDevice(const std::string& folder)
{
    std::map<std::string, std::string> labels;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const auto device = std::filesystem::canonical(entry.path(), error);
        if (!error)
            labels[device.string()] = DecodeLabel(entry.path().filename().string());
    }
    return labels;
}

MemoryStatus ParseMemInfo(const std::string& text)
{
    MemoryStatus status;
    std::istringstream lines(text);
    std::string name;
    std::uint64_t kilobytes = 0;
    std::string unit;
    bool available = false;
    std::uint64_t freeBytes = 0;
    while (lines >> name >> kilobytes) {
        std::getline(lines, unit);
        if (name == "MemTotal:")
            status.totalBytes = kilobytes * 1024;
        else if (name == "MemAvailable:") {
            status.availableBytes = kilobytes * 1024;
            available = true;
        } else if (name == "MemFree:")
            freeBytes = kilobytes * 1024;
    }
    if (!available) // kernels before 3.14 do not estimate the available memory
        status.availableBytes = freeBytes;
    if (status.totalBytes > 0 && status.availableBytes <= status.totalBytes)
        status.loadPercent =
            static_cast<std::uint32_t>((status.totalBytes - status.availableBytes) * 100 / status.totalBytes);
    return status;
}

OsVersion ParseKernelRelease(const std::string& release)
{
    OsVersion version;
    version.family = OsFamily::Linux;
    char dot = 0;
    std::istringstream numbers(release);
    numbers >> version.major >> dot >> version.minor;
    return version;
}

std::string DistributionName(const std::string& osRelease)
{
    std::map<std::string, std::string> fields;
    std::istringstream lines(osRelease);
    std::string line;
    while (std::getline(lines, line))
        if (const auto equals = line.find('='); equals != std::string::npos && line[0] != '#')
            fields[line.substr(0, equals)] = Unquote(line.substr(equals + 1));
    if (!fields["PRETTY_NAME"].empty())
        return fields["PRETTY_NAME"];
    std::string name = fields["NAME"];
    if (!fields["VERSION_ID"].empty())
        name += (name.empty() ? "" : " ") + fields["VERSION_ID"];
    return name;
}

std::int32_t CpuInfoMHz(const std::string& cpuInfo)
{
    std::istringstream lines(cpuInfo);
    std::string line;
    while (std::getline(lines, line))
        if (line.starts_with("cpu MHz"))
            if (const auto colon = line.find(':'); colon != std::string::npos)
                return static_cast<std::int32_t>(std::lround(std::atof(line.c_str() + colon + 1)));
    return 0;
}

std::string LinuxSystemInfo::ComputerName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return Utf8ToAnsi(name);
}

std::string LinuxSystemInfo::UserName()
{
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name)
        return Utf8ToAnsi(entry->pw_name);
    const char* user = std::getenv("USER");
    return user ? Utf8ToAnsi(user) : std::string();
}

std::int32_t LinuxSystemInfo::ProcessorClockMHz()
{
#ifdef TAPSODY_HAS_TSC
    return MeasureTimeStampCounter();
#else
    return CpuInfoMHz(ReadWholeFile("/proc/cpuinfo"));
#endif
}

MemoryStatus LinuxSystemInfo::Memory()
{
    return ParseMemInfo(ReadWholeFile("/proc/meminfo"));
}

std::optional<OsVersion> LinuxSystemInfo::Version()
{
    utsname system{};
    if (uname(&system) != 0)
        return std::nullopt;
    OsVersion version = ParseKernelRelease(system.release);
    std::string osRelease = ReadWholeFile("/etc/os-release");
    if (osRelease.empty())
        osRelease = ReadWholeFile("/usr/lib/os-release");
    version.distribution = Utf8ToAnsi(DistributionName(osRelease));
    return version;
}

std::optional<DriveInfo> LinuxSystemInfo::DriveOf(const std::string& path)
{
    const auto folder = ExistingAncestor(NativePath(path));
    if (!folder)
        return std::nullopt;
    const std::vector<MountEntry> mounts = ParseMountInfo(ReadWholeFile("/proc/self/mountinfo"));
    const MountEntry* mount = MountHolding(mounts, *folder);
    if (!mount)
        return std::nullopt;
    return DescribeMount(*mount, LabelsByDevice());
}

std::int64_t LinuxSystemInfo::FreeBytes(const std::string& path)
{
    const auto folder = ExistingAncestor(NativePath(path));
    struct statvfs volume {};
    if (!folder || statvfs(folder->c_str(), &volume) != 0)
        return -1;
    return static_cast<std::int64_t>(volume.f_bavail) * static_cast<std::int64_t>(volume.f_frsize);
}

std::vector<DriveInfo> LinuxSystemInfo::Drives()
{
    std::vector<MountEntry> mounts = ParseMountInfo(ReadWholeFile("/proc/self/mountinfo"));
    std::sort(mounts.begin(), mounts.end(),
              [](const MountEntry& a, const MountEntry& b) { return a.mountPoint < b.mountPoint; });
    const auto labels = LabelsByDevice();
    std::vector<DriveInfo> drives;
    for (const MountEntry& mount : mounts) {
        // Read-only images such as packaged applications hold nothing to browse or install into.
        if (IsSystemPlace(mount.mountPoint) || mount.fsType == "squashfs")
            continue;
        DriveInfo drive = DescribeMount(mount, labels);
        // A network mount point is a folder by nature; asking may wait on a server that is gone.
        const bool browsable = drive.kind == DriveKind::Network || IsBrowsableFolder(mount.mountPoint);
        if (drive.kind != DriveKind::Unknown && browsable)
            drives.push_back(drive);
    }
    return drives;
}
