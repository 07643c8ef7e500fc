#include "setup/dir_icons.h"

#include "services/text_helpers.h"

#include <string_view>

namespace {

// The extensions of each kind of file, between blanks.
struct KindOfFile {
    std::string_view extensions;
    DirIcon icon;
};

constexpr KindOfFile kKindsOfFile[] = {
    {" HTM HTML PHP ", kIconWebPage},
    {" DOK TXT NFO ", kIconText},
    {" JPG JPEG JPE ", kIconJpeg},
    {" BMP ICO GIF PCX TGA TIF ", kIconPicture},
    {" 669 MID MOD MP2 MP3 RAW SND VOC WAV ", kIconSound},
    {" ASF AVI FLI MOV MPG MPEG RAM RM VIV WMV ", kIconVideo},
    {" EXE COM BAT PIF ", kIconProgram},
    {" ACE ARJ CAB RAR ZIP ", kIconArchive},
    {" REG RGD ", kIconRegistry},
    {" CFG INF INI ", kIconSettings},
    {" CDT BODY ", kIconCdt},
    {" BIN OCX DLL SYS ", kIconBinary},
    {" DOC DOT ", kIconDocument},
    {" XLS XLT ", kIconSpreadsheet},
    {" PDF ", kIconPdf},
};

} // namespace

DirIcon IconOfEntry(const std::string& name, bool folder)
{
    if (folder)
        return kIconFolder;
    const int dot = LastPos(".", name);
    if (dot == 0)
        return kIconFile;
    const std::string extension = " " + UpperStr(TailFrom(name, dot + 1)) + " ";
    if (extension.find_first_of(" ", 1) != extension.size() - 1) // a blank in the extension
        return kIconFile;
    for (const KindOfFile& kind : kKindsOfFile)
        if (kind.extensions.find(extension) != std::string_view::npos)
            return kind.icon;
    return kIconFile;
}

DirIcon IconOfDrive(DriveKind kind)
{
    switch (kind) {
    case DriveKind::Removable: return kIconRemovable;
    case DriveKind::Fixed: return kIconFixed;
    case DriveKind::Network: return kIconNetwork;
    case DriveKind::Optical: return kIconOptical;
    case DriveKind::RamDisk: return kIconRamDisk;
    case DriveKind::Unknown:
    case DriveKind::NoRoot: break;
    }
    return kIconOtherDrive;
}
