#include "platform/linux/mounts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <initializer_list>
#include <sstream>
#include <string_view>

namespace {

// mountinfo writes blanks and the like as a backslash and three octal digits.
std::string DecodeOctal(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            std::all_of(field.begin() + static_cast<long>(i) + 1, field.begin() + static_cast<long>(i) + 4,
                        [](char c) { return c >= '0' && c <= '7'; })) {
            out += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool OneOf(std::string_view value, std::initializer_list<std::string_view> list)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

std::vector<MountEntry> ParseMountInfo(const std::string& text)
{
    std::vector<MountEntry> mounts;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        // id parent major:minor root mount-point options [optional fields] - type source super-options
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint, field;
        if (!(fields >> id >> parent >> device >> root >> mountPoint))
            continue;
        while (fields >> field && field != "-") {
        }
        MountEntry entry;
        entry.mountPoint = DecodeOctal(mountPoint);
        if (!(fields >> entry.fsType >> entry.source))
            continue;
        entry.source = DecodeOctal(entry.source);
        std::erase_if(mounts, [&](const MountEntry& m) { return m.mountPoint == entry.mountPoint; });
        mounts.push_back(entry);
    }
    return mounts;
}

DriveKind KindOfMount(const MountEntry& mount, bool removable)
{
    const std::string& type = mount.fsType;
    if (OneOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "glusterfs", "9p", "fuse.sshfs",
                     "fuse.davfs", "davfs", "fuse.rclone", "fuse.gvfsd-fuse"}))
        return DriveKind::Network;
    if (OneOf(type, {"tmpfs", "ramfs", "devtmpfs"}))
        return DriveKind::RamDisk;
    if (OneOf(type, {"iso9660", "udf"}) || mount.source.starts_with("/dev/sr"))
        return DriveKind::Optical;
    if (mount.source.starts_with("/dev/"))
        return removable ? DriveKind::Removable : DriveKind::Fixed;
    if (OneOf(type, {"proc",        "sysfs",  "devpts",   "cgroup", "cgroup2",    "securityfs", "debugfs",
                     "tracefs",     "pstore", "bpf",      "mqueue", "hugetlbfs",  "configfs",   "fusectl",
                     "binfmt_misc", "autofs", "efivarfs", "nsfs",   "rpc_pipefs", "selinuxfs"}))
        return DriveKind::Unknown;
    return DriveKind::Fixed; // overlays and other local file systems without a device of their own
}

const MountEntry* MountHolding(const std::vector<MountEntry>& mounts, const std::string& path)
{
    const MountEntry* best = nullptr;
    for (const MountEntry& mount : mounts) {
        const std::string& point = mount.mountPoint;
        const bool above = point == "/" || path == point ||
                           (path.starts_with(point) && path.size() > point.size() && path[point.size()] == '/');
        if (above && (!best || point.size() > best->mountPoint.size()))
            best = &mount;
    }
    return best;
}

std::string DecodeLabel(const std::string& name)
{
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name.compare(i, 2, "\\x") == 0 && i + 3 < name.size() &&
            std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
            out += static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}
