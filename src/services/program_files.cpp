#include "services/program_files.h"

#include "platform/platform.h"
#include "services/program_record.h"
#include "services/text_helpers.h"

#include <cctype>

std::string SettingsFileName()
{
    return ProgInfo.SaveDir + ProgInfo.ShortName + ".ini";
}

void CarryOverSettingsFile()
{
    FileSystem& files = *ThePlatform().files;
    const std::string target = SettingsFileName();
    const std::string old = ProgInfo.ProgDir + ProgInfo.ShortName + ".ini";
    if (UpperStr(old) != UpperStr(target) && !files.FileExists(target) && files.FileExists(old))
        files.Copy(old, target, false); // a failed copy only means starting without settings
}

std::string NormalizeDir(const std::string& path)
{
    if (path.size() <= 2)
        return path;
    std::string folder = TrimStr(path);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    // A drive letter ("c:/...") is written in capitals; other paths keep their
    // case, since the file system tells the cases apart.
    if (folder.size() >= 2 && folder[1] == ':' && std::isalpha(static_cast<unsigned char>(folder[0])))
        folder[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(folder[0])));
    return folder;
}

std::string TempFolder()
{
    return NormalizeDir(ThePlatform().folders->TempFolder());
}

bool FolderExists(const std::string& path)
{
    return !path.empty() && ThePlatform().files->FolderExists(path);
}

bool FileIsReadOnly(const std::string& path)
{
    return ThePlatform().files->IsReadOnly(path);
}
