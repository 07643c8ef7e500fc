#include "fake_platform.h"

#include <sstream>

namespace {

std::string ParentOf(const std::string& path)
{
    const auto slash = path.find_last_of('/', path.empty() ? 0 : path.size() - 2);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string Folder(const std::string& path)
{
    return path.empty() || path.back() == '/' ? path : path + "/";
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

bool FakeFileSystem::FolderExists(const std::string& path)
{
    return folders.contains(Folder(path));
}

std::optional<std::vector<FolderEntry>> FakeFileSystem::ListFolder(const std::string& path)
{
    const std::string folder = Folder(path);
    if (!folders.contains(folder) || unreadableFolders.contains(folder))
        return std::nullopt;
    std::vector<FolderEntry> entries;
    for (const std::string& sub : folders)
        if (sub != folder && ParentOf(sub) == folder)
            entries.push_back({sub.substr(folder.size(), sub.size() - folder.size() - 1), true});
    for (const auto& [file, content] : files)
        if (file.starts_with(folder) && file.find('/', folder.size()) == std::string::npos)
            entries.push_back({file.substr(folder.size()), false});
    return entries;
}

bool FakeFileSystem::Writable(const std::string& path) const
{
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    return folders.contains(folder) && !unwritableFolders.contains(folder);
}

bool FakeFileSystem::CreateFolder(const std::string& path)
{
    calls.push_back("mkdir " + path);
    const std::string folder = Folder(path);
    if (folders.contains(folder) || !folders.contains(ParentOf(folder)) || unwritableFolders.contains(ParentOf(folder)))
        return false;
    folders.insert(folder);
    return true;
}

bool FakeFileSystem::Remove(const std::string& path)
{
    calls.push_back("rm " + path);
    return !undeletable.contains(path) && files.erase(path) > 0;
}

bool FakeFileSystem::RemoveFolder(const std::string& path)
{
    calls.push_back("rmdir " + path);
    const std::string folder = Folder(path);
    const auto entries = ListFolder(folder);
    if (!entries || !entries->empty() || undeletable.contains(folder))
        return false;
    folders.erase(folder);
    return true;
}

std::optional<std::string> FakeFileSystem::CreatePrivateFolder(const std::string& parent, const std::string& prefix)
{
    for (int n = 1;; ++n) {
        const std::string folder = parent + prefix + std::to_string(n) + "/";
        if (folders.contains(folder))
            continue;
        calls.push_back("privatefolder " + folder);
        if (!Writable(folder.substr(0, folder.size() - 1)))
            return std::nullopt;
        folders.insert(folder);
        return folder;
    }
}

bool FakeFileSystem::CreatePrivateProgram(const std::string& path, const std::string& bytes)
{
    calls.push_back("privateprogram " + path);
    if (files.contains(path) || folders.contains(Folder(path)) || !Writable(path))
        return false;
    files[path] = bytes;
    privatePrograms.insert(path);
    return true;
}

bool FakeFileSystem::Copy(const std::string& source, const std::string& target, bool overwrite)
{
    calls.push_back("copy " + source + " " + target);
    if (!files.contains(source) || (files.contains(target) && !overwrite) || !Writable(target))
        return false;
    files[target] = files[source];
    return true;
}

bool FakeFileSystem::CopyReplacing(const std::string& source, const std::string& target)
{
    calls.push_back("replace " + source + " " + target);
    if (!files.contains(source) || !Writable(target) || readOnly.contains(target))
        return false;
    files[target] = files[source];
    return true;
}

bool FakeFileSystem::WriteReplacing(const std::string& path, const std::string& bytes)
{
    calls.push_back("write " + path);
    if (!Writable(path) || readOnly.contains(path))
        return false;
    files[path] = bytes;
    return true;
}

bool FakeFileSystem::ProbeWritable(const std::string& folder, const std::string& name)
{
    calls.push_back("probe " + folder + name);
    return Writable(folder + name);
}

bool FakeFileSystem::CreateOwnTextFile(const std::string& path, const std::vector<std::string>& lines)
{
    if (!Writable(path))
        return false;
    files[path] = Joined(lines);
    return true;
}

bool FakeFileSystem::AppendOwnTextFile(const std::string& path, const std::vector<std::string>& lines)
{
    if (!Writable(path))
        return false;
    files[path] += Joined(lines);
    return true;
}

std::vector<std::string> FakeFileSystem::Lines(const std::string& path) const
{
    std::vector<std::string> lines;
    const auto file = files.find(path);
    if (file == files.end())
        return lines;
    std::istringstream text(file->second);
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::string> FakeSystemFolders::SpecialFolder(int id)
{
    const auto folder = special.find(id);
    return folder == special.end() ? std::nullopt : std::optional<std::string>(folder->second);
}

int FakeShell::Execute(ShellVerb verb, const std::string& file, const std::string& parameters,
                       const std::string& folder)
{
    calls.push_back(std::string(verb == ShellVerb::Open ? "open" : "play") + "|" + file + "|" + parameters + "|" +
                    folder);
    if (answers.empty())
        return ShellStarted;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool FakeShell::CreateLink(const std::string& target, const std::string& linkFile, const std::string& workFolder,
                           const LinkDetails& details)
{
    std::string call = "link|" + target + "|" + linkFile + "|" + workFolder;
    if (!details.icon.empty() || !details.actions.empty())
        call += "|" + details.icon;
    for (const LinkAction& action : details.actions)
        call += "|" + action.name + ":" + action.parameters;
    calls.push_back(call);
    if (linkResult)
        links[linkFile] = target;
    return linkResult;
}

std::vector<std::string> FakeShell::LinksTo(const std::string& folder, const std::string& target)
{
    std::vector<std::string> found;
    for (const auto& [link, linkTarget] : links)
        if (linkTarget == target && ParentOf(link) == folder)
            found.push_back(link);
    return found;
}

bool FakeShell::RemoveLink(const std::string& linkFile)
{
    calls.push_back("unlink|" + linkFile);
    if (undeletableLinks.contains(linkFile))
        return false;
    links.erase(linkFile);
    return true;
}

InstanceLockResult FakeInstanceLocks::Acquire(const std::string& name, std::unique_ptr<InstanceLockHandle>& handle)
{
    requested.push_back(name);
    if (result == InstanceLockResult::Acquired)
        handle = std::make_unique<InstanceLockHandle>();
    return result;
}

std::optional<DriveInfo> FakeSystemInfo::DriveOf(const std::string& path)
{
    const DriveInfo* best = nullptr;
    for (const DriveInfo& drive : drives)
        if (path.starts_with(drive.root) && (!best || drive.root.size() > best->root.size()))
            best = &drive;
    return best ? std::optional<DriveInfo>(*best) : std::nullopt;
}

FakePlatform::FakePlatform()
{
    platform_.registry = &registry;
    platform_.files = &files;
    platform_.folders = &folders;
    platform_.shell = &shell;
    platform_.instanceLocks = &instanceLocks;
    platform_.desktop = &desktop;
    platform_.systemInfo = &systemInfo;
    platform_.keyboard = &keyboard;
    previousPlatform_ = SetPlatform(&platform_);
    previousMessages_ = SetMessageService(&messages);
    files.folders = {"/"};
}

FakePlatform::~FakePlatform()
{
    SetPlatform(previousPlatform_);
    SetMessageService(previousMessages_);
}
