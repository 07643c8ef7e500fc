#include "platform/linux/network_wait.h"

#include "platform/linux/mounts.h"

#include <filesystem>
#include <fstream>
#include <iterator>

bool OnNetworkFileSystem(const std::string& nativePath)
{
    if (nativePath.empty() || nativePath[0] != '/')
        return false;
    std::ifstream file("/proc/self/mountinfo", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::vector<MountEntry> mounts = ParseMountInfo(text);
    std::string path = std::filesystem::path(nativePath).lexically_normal().string();
    if (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const MountEntry* mount = MountHolding(mounts, path);
    return mount && KindOfMount(*mount, false) == DriveKind::Network;
}
