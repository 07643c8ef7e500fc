#pragma once

#include "platform/system_info.h"
#include "setup/dir_icons.h"

#include <string>
#include <vector>

// The folder chooser's drive list. Without drive letters, a "drive" is a place
// a user installs into: the home folder, the root folder and each further
// mounted file system. Folder names are Windows-1252 bytes ending in "/".

struct DrivePlace {
    std::string root;    // the folder the entry opens
    std::string caption; // root (without its final "/") and label: "/media/anna/STICK: STICK"
    DirIcon icon = kIconOtherDrive;
    DriveKind kind = DriveKind::Unknown;
};

// The home folder first (shown as "~" with the user's name), then "/", then
// the other drives in the order given; a drive at the home folder or at "/"
// gives its kind and label to that entry instead of a second one.
std::vector<DrivePlace> DrivePlaces(const std::string& home, const std::string& userName,
                                    const std::vector<DriveInfo>& drives);

// The drive root of an absolute folder path: the deepest place root above it or
// equal to it. A folder under /media, /run/media or /mnt whose medium is not
// mounted (any more) has the root its medium would be mounted at:
// /media/<user>/<name>/, /media/<name>/, /run/media/<user>/<name>/, /mnt/<name>/.
// Empty for a path no place holds (a relative one).
std::string DriveRootOf(const std::string& folder, const std::vector<DrivePlace>& places, const std::string& userName);

// An absolute path as a folder name: "." and empty levels dropped, ".." taking
// the level before it away (never above "/"), ending in "/". Other text is
// returned with a "/" added when it lacks one; empty stays empty.
std::string NormalFolder(const std::string& path);
