#include "setup/dir_dialog_icons.h"

#include <QApplication>
#include <QStyle>

#include <array>

namespace {

struct ThemeIcon {
    std::array<const char*, 2> names; // freedesktop icon names, the better first; nullptr for none
    QStyle::StandardPixmap fallback;
};

ThemeIcon ThemeIconOf(DirIcon icon)
{
    switch (icon) {
    case kIconFolder: return {{"folder", nullptr}, QStyle::SP_DirIcon};
    case kIconOtherDrive: return {{"drive-harddisk", nullptr}, QStyle::SP_DriveHDIcon};
    case kIconFile: return {{"unknown", "text-x-generic"}, QStyle::SP_FileIcon};
    case kIconWebPage: return {{"text-html", nullptr}, QStyle::SP_FileIcon};
    case kIconText: return {{"text-x-generic", nullptr}, QStyle::SP_FileIcon};
    case kIconJpeg: return {{"image-jpeg", "image-x-generic"}, QStyle::SP_FileIcon};
    case kIconPicture: return {{"image-x-generic", nullptr}, QStyle::SP_FileIcon};
    case kIconSound: return {{"audio-x-generic", nullptr}, QStyle::SP_MediaVolume};
    case kIconVideo: return {{"video-x-generic", nullptr}, QStyle::SP_MediaPlay};
    case kIconProgram: return {{"application-x-executable", nullptr}, QStyle::SP_ComputerIcon};
    case kIconArchive: return {{"package-x-generic", "application-x-archive"}, QStyle::SP_FileIcon};
    case kIconRegistry: return {{"text-x-script", "text-x-generic"}, QStyle::SP_FileIcon};
    case kIconSettings: return {{"text-x-generic-template", "text-x-generic"}, QStyle::SP_FileIcon};
    case kIconCdt: return {{"text-x-generic", nullptr}, QStyle::SP_FileIcon};
    case kIconBinary: return {{"application-x-sharedlib", "application-x-executable"}, QStyle::SP_FileIcon};
    case kIconDocument: return {{"x-office-document", nullptr}, QStyle::SP_FileIcon};
    case kIconSpreadsheet: return {{"x-office-spreadsheet", nullptr}, QStyle::SP_FileIcon};
    case kIconPdf: return {{"application-pdf", "x-office-document"}, QStyle::SP_FileIcon};
    case kIconRemovable: return {{"drive-removable-media", nullptr}, QStyle::SP_DriveFDIcon};
    case kIconFixed: return {{"drive-harddisk", nullptr}, QStyle::SP_DriveHDIcon};
    case kIconOptical: return {{"media-optical", "drive-optical"}, QStyle::SP_DriveCDIcon};
    case kIconNetwork: return {{"folder-remote", "network-server"}, QStyle::SP_DriveNetIcon};
    case kIconRamDisk: return {{"media-flash", "drive-harddisk"}, QStyle::SP_DriveHDIcon};
    }
    return {{nullptr, nullptr}, QStyle::SP_FileIcon};
}

QIcon LoadIcon(DirIcon icon)
{
    const ThemeIcon theme = ThemeIconOf(icon);
    for (const char* name : theme.names)
        if (name && QIcon::hasThemeIcon(QString::fromLatin1(name)))
            return QIcon::fromTheme(QString::fromLatin1(name));
    return QApplication::style()->standardIcon(theme.fallback);
}

} // namespace

const QIcon& DirIconPictures::Picture(DirIcon icon)
{
    auto found = loaded_.find(icon);
    if (found == loaded_.end())
        found = loaded_.emplace(icon, LoadIcon(icon)).first;
    return found->second;
}
