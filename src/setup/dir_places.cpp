#include "setup/dir_places.h"

#include "services/text_helpers.h"

#include <algorithm>

namespace {

std::string DriveLabel(const DriveInfo& drive)
{
    switch (drive.kind) {
    case DriveKind::Network: return drive.source; // the remote name, such as "server:/export"
    case DriveKind::Optical: return drive.label.empty() ? "CD-Rom" : drive.label;
    case DriveKind::Removable:
    case DriveKind::Fixed:
    case DriveKind::RamDisk: return drive.label;
    case DriveKind::Unknown:
    case DriveKind::NoRoot: break;
    }
    return {};
}

std::string Caption(const std::string& shownRoot, const std::string& label)
{
    return label.empty() ? shownRoot : shownRoot + ": " + label;
}

std::string ShownRoot(const std::string& root)
{
    return root.size() > 1 ? root.substr(0, root.size() - 1) : root;
}

DrivePlace PlaceOf(const std::string& root, const DriveInfo* drive)
{
    const DriveKind kind = drive ? drive->kind : DriveKind::Fixed;
    return {root, Caption(ShownRoot(root), drive ? DriveLabel(*drive) : std::string()), IconOfDrive(kind), kind};
}

std::vector<std::string> Levels(const std::string& folder)
{
    std::vector<std::string> levels;
    std::string rest = folder;
    while (!rest.empty())
        if (std::string level = Fetch(rest, "/"); !level.empty())
            levels.push_back(level);
    return levels;
}

// Where removable media and the administrator's mounts are put by convention.
std::string MediumRoot(const std::string& folder, const std::string& userName)
{
    const std::vector<std::string> levels = Levels(folder);
    std::size_t depth = 0;
    if (levels.size() >= 2 && levels[0] == "mnt")
        depth = 2;
    else if (levels.size() >= 2 && levels[0] == "media")
        depth = levels[1] == userName ? 3 : 2;
    else if (levels.size() >= 3 && levels[0] == "run" && levels[1] == "media")
        depth = 4;
    if (depth == 0 || levels.size() < depth)
        return {};
    std::string root = "/";
    for (std::size_t i = 0; i < depth; ++i)
        root += levels[i] + "/";
    return root;
}

} // namespace

std::vector<DrivePlace> DrivePlaces(const std::string& home, const std::string& userName,
                                    const std::vector<DriveInfo>& drives)
{
    const auto driveAt = [&](const std::string& root) -> const DriveInfo* {
        const auto found =
            std::find_if(drives.begin(), drives.end(), [&](const DriveInfo& d) { return d.root == root; });
        return found == drives.end() ? nullptr : &*found;
    };
    std::vector<DrivePlace> places;
    if (!home.empty() && home != "/") {
        const DriveInfo* drive = driveAt(home);
        DrivePlace place = PlaceOf(home, drive);
        place.caption = Caption("~", userName);
        places.push_back(place);
    }
    places.push_back(PlaceOf("/", driveAt("/")));
    for (const DriveInfo& drive : drives)
        if (drive.root != "/" && drive.root != home)
            places.push_back(PlaceOf(drive.root, &drive));
    return places;
}

std::string DriveRootOf(const std::string& folder, const std::vector<DrivePlace>& places, const std::string& userName)
{
    std::string root;
    for (const DrivePlace& place : places)
        if (StartsWith(folder, place.root) && place.root.size() > root.size())
            root = place.root;
    if (root.empty())
        return root;
    const std::string medium = MediumRoot(folder, userName);
    return medium.size() > root.size() ? medium : root;
}

std::string NormalFolder(const std::string& path)
{
    if (path.empty())
        return path;
    if (path[0] != '/')
        return EndsWith(path, "/") ? path : path + "/";
    std::vector<std::string> kept;
    for (const std::string& level : Levels(path)) {
        if (level == "..") {
            if (!kept.empty())
                kept.pop_back();
        } else if (level != ".") {
            kept.push_back(level);
        }
    }
    std::string folder = "/";
    for (const std::string& level : kept)
        folder += level + "/";
    return folder;
}
