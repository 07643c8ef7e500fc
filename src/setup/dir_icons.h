#pragma once

#include "platform/system_info.h"

#include <string>

// The picture numbers of the folder chooser's listing. Only the numbers carry
// meaning here; the window draws a picture for each.
enum DirIcon : int {
    kIconFolder = 0,     // folders and ".."
    kIconOtherDrive = 1, // drives of other kinds
    kIconFile = 10,      // files of no kind below
    kIconWebPage = 11,
    kIconText = 12,
    kIconJpeg = 13,
    kIconPicture = 14,
    kIconSound = 15,
    kIconVideo = 16,
    kIconProgram = 17,
    kIconArchive = 18,
    kIconRegistry = 20,
    kIconSettings = 21,
    kIconCdt = 22,
    kIconBinary = 23,
    kIconDocument = 25,
    kIconSpreadsheet = 26,
    kIconPdf = 27,
    kIconRemovable = 31,
    kIconFixed = 32,
    kIconOptical = 33,
    kIconNetwork = 34,
    kIconRamDisk = 35,
};

// A folder always shows kIconFolder; a file by the upper-cased text after the
// last "." of its name.
DirIcon IconOfEntry(const std::string& name, bool folder);

DirIcon IconOfDrive(DriveKind kind);
