#include "platform/linux/linux_paths.h"

#include "platform/ansi_utf8.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

std::string AbsoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') // the XDG rules ignore relative paths
        return {};
    std::string path = value;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool IsFolder(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

} // namespace

std::string HomePath()
{
    std::string home = AbsoluteVariable("HOME");
    if (home.empty())
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    return home.empty() ? "/" : home;
}

std::string ConfigHomePath()
{
    const std::string path = AbsoluteVariable("XDG_CONFIG_HOME");
    return path.empty() ? HomePath() + "/.config" : path;
}

std::string DataHomePath()
{
    const std::string path = AbsoluteVariable("XDG_DATA_HOME");
    return path.empty() ? HomePath() + "/.local/share" : path;
}

std::string UserDirPath(const std::string& name, const std::string& fallback)
{
    // Lines look like: XDG_DOCUMENTS_DIR="$HOME/Dokumente"
    std::ifstream dirs(ConfigHomePath() + "/user-dirs.dirs");
    const std::string prefix = "XDG_" + name + "_DIR=\"";
    std::string line;
    while (std::getline(dirs, line)) {
        if (!line.starts_with(prefix) || line.size() <= prefix.size() || line.back() != '"')
            continue;
        std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value.starts_with("$HOME"))
            value = HomePath() + value.substr(5);
        if (!value.empty() && value[0] == '/') {
            while (value.size() > 1 && value.back() == '/')
                value.pop_back();
            return value;
        }
    }
    return HomePath() + "/" + fallback;
}

// A folder of ours that no other user may write to.
bool IsOwnPrivateFolder(const std::string& path)
{
    struct stat folder {};
    return !path.empty() && ::stat(path.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
           folder.st_uid == ::geteuid() && (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::string TempPath()
{
    const std::string runtime = AbsoluteVariable("XDG_RUNTIME_DIR");
    if (IsOwnPrivateFolder(runtime))
        return runtime;
    const std::string cacheHome = AbsoluteVariable("XDG_CACHE_HOME");
    const std::string cache = (cacheHome.empty() ? HomePath() + "/.cache" : cacheHome);
    const std::string own = cache + "/tapsody";
    MakeFolders(cache);
    ::mkdir(own.c_str(), 0700); // only when missing; a folder there already stays as the user made it
    return own;
}

std::string RuntimePath()
{
    const std::string path = AbsoluteVariable("XDG_RUNTIME_DIR");
    return IsFolder(path) ? path : std::string();
}

std::string NativePath(const std::string& ansiPath)
{
    return AnsiToUtf8(ansiPath);
}

std::string AnsiFolder(const std::string& nativePath)
{
    std::string folder = Utf8ToAnsi(nativePath);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

bool MakeFolders(const std::string& nativePath)
{
    std::error_code error;
    std::filesystem::create_directories(nativePath, error);
    return IsFolder(nativePath);
}
