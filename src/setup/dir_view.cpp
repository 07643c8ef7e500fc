#include "setup/dir_view.h"

#include "platform/file_system.h"
#include "platform/system_folders.h"
#include "services/shell_integration.h"
#include "services/text_helpers.h"
#include "support/messages.h"
#include "support/translation.h"

#include <algorithm>

namespace {

const std::string kUp = "..";

std::string NotReady(const std::string& folder)
{
    return "Laufwerk %s ist nicht bereit.|" + folder;
}

bool AskRetry(const std::string& folder)
{
    return MyMessageDlg(NotReady(folder), mtError, mbRetry | mbCancel) == mrRetry;
}

// The folder above a folder name ending in "/", and the last level's name.
std::string ParentFolder(const std::string& folder)
{
    return LeftStr(folder, LastPos("/", LeftStr(folder, static_cast<int>(folder.size()) - 1)));
}

std::string LastLevel(const std::string& folder)
{
    const std::string parent = ParentFolder(folder);
    return folder.substr(parent.size(), folder.size() - parent.size() - 1);
}

} // namespace

bool ListsBefore(const DirItem& a, const DirItem& b)
{
    const bool aFolder = a.icon == kIconFolder;
    if (aFolder != (b.icon == kIconFolder))
        return aFolder;
    const bool aUp = a.caption == kUp;
    if (aUp != (b.caption == kUp))
        return aUp;
    const std::string upperA = UpperStr(a.caption);
    const std::string upperB = UpperStr(b.caption);
    return upperA != upperB ? upperA < upperB : a.caption < b.caption;
}

DirView::DirView(FileSystem& files, SystemFolders& folders, SystemInfo& system)
    : files_(files), folders_(folders), system_(system)
{
}

template <typename Work>
auto DirView::Busy(Work work)
{
    struct Done {
        const std::function<void(bool)>& hook;
        ~Done()
        {
            if (hook)
                hook(false);
        }
    };
    if (onBusy)
        onBusy(true);
    const Done done{onBusy};
    return work();
}

std::string DirView::Show()
{
    fileMode_ = false;
    if (modeText.empty())
        modeText = "Verzeichnis w\xE4hlen...";
    if (LeftStr(modeText, 5) == "Datei") {
        modeText = "Datei w\xE4hlen...";
        fileMode_ = true;
    }
    ReadListing();
    return TranslateProgramText(modeText);
}

std::vector<DrivePlace> DirView::Places()
{
    return Busy([&] { return DrivePlaces(folders_.HomeFolder(), system_.UserName(), system_.Drives()); });
}

std::string DirView::DriveRoot(const std::string& folder)
{
    return DriveRootOf(folder, Places(), system_.UserName());
}

bool DirView::DriveReady(const std::string& root)
{
    while (!Busy([&] { return files_.FolderExists(root); }))
        if (!AskRetry(root))
            return false;
    return true;
}

void DirView::ValidateCurrentPath()
{
    currentPath = NormalFolder(currentPath);
    if (currentPath.empty() || Busy([&] { return files_.FolderExists(currentPath); }))
        return;
    const std::string root = DriveRoot(currentPath);
    if (root == currentPath) {
        // The drive itself is missing: the question comes at once, it is known not to be there.
        bool ready = false;
        while (!ready && AskRetry(root))
            ready = Busy([&] { return files_.FolderExists(root); });
        if (!ready)
            currentPath.clear();
        return;
    }
    if (root.empty() || !DriveReady(root)) {
        currentPath.clear();
        return;
    }
    std::string rest = currentPath.substr(root.size());
    std::string deepest = root;
    while (!rest.empty()) {
        const std::string next = deepest + Fetch(rest, "/") + "/";
        if (!Busy([&] { return files_.FolderExists(next); }))
            break;
        deepest = next;
    }
    currentPath = deepest;
}

void DirView::ReadListing()
{
    items_.clear();
    selected_ = -1;
    ValidateCurrentPath();
    if (currentPath.empty())
        ReadDrives();
    else
        ReadFolder();
    Select(selected_);
}

void DirView::ReadFolder()
{
    items_.push_back({kUp, kIconFolder, {}});
    // A folder that cannot be read shows only "..".
    const auto entries = Busy([&] { return files_.ListFolder(currentPath); });
    for (const FolderEntry& entry : entries.value_or(std::vector<FolderEntry>{}))
        if (!StartsWith(entry.name, ".") && (entry.folder || fileMode_))
            items_.push_back({entry.name, IconOfEntry(entry.name, entry.folder), {}});
    std::sort(items_.begin(), items_.end(), ListsBefore);
    selected_ = 0;
}

void DirView::ReadDrives()
{
    for (const DrivePlace& place : Places()) {
        if (selected_ < 0 && place.kind == DriveKind::Fixed)
            selected_ = static_cast<int>(items_.size());
        items_.push_back({place.caption, place.icon, place.root});
    }
}

void DirView::Select(int index)
{
    selected_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
    if (selected_ < 0) {
        label_ = currentPath;
        return;
    }
    const DirItem& item = items_[static_cast<std::size_t>(selected_)];
    if (ShowsDrives())
        label_ = item.root;
    else if (item.icon == kIconFolder && item.caption != kUp)
        label_ = currentPath + item.caption + "/";
    else
        label_ = currentPath;
}

bool DirView::Activate()
{
    if (selected_ < 0)
        return false;
    const DirItem item = items_[static_cast<std::size_t>(selected_)];
    if (ShowsDrives()) {
        currentPath = item.root;
        ReadListing();
    } else if (item.icon != kIconFolder) {
        return true;
    } else if (item.caption != kUp) {
        currentPath += item.caption + "/";
        ReadListing();
    } else if (const std::string root = DriveRoot(currentPath); root.empty() || root == currentPath) {
        currentPath.clear();
        ReadListing();
        SelectDrive(root);
    } else {
        const std::string left = LastLevel(currentPath);
        currentPath = ParentFolder(currentPath);
        ReadListing();
        SelectFolderNamed(left);
    }
    return false;
}

void DirView::SelectFolderNamed(const std::string& name)
{
    const auto named = [&](bool anyCase) {
        return std::find_if(items_.begin(), items_.end(), [&](const DirItem& item) {
            return item.icon == kIconFolder &&
                   (anyCase ? UpperStr(item.caption) == UpperStr(name) : item.caption == name);
        });
    };
    auto found = named(false);
    if (found == items_.end())
        found = named(true);
    if (found != items_.end())
        Select(static_cast<int>(found - items_.begin()));
}

void DirView::SelectDrive(const std::string& root)
{
    const auto found =
        std::find_if(items_.begin(), items_.end(), [&](const DirItem& item) { return item.root == root; });
    if (found != items_.end())
        Select(static_cast<int>(found - items_.begin()));
}

void DirView::BackToDrives()
{
    const std::string root = ShowsDrives() ? std::string() : DriveRoot(NormalFolder(currentPath));
    currentPath.clear();
    ReadListing();
    SelectDrive(root);
}

void DirView::NewFolder(const std::string& name)
{
    const std::string trimmed = TrimStr(name);
    if (trimmed.empty() || ShowsDrives())
        return;
    for (const char* refused : {"\\", "/", ":"}) {
        if (Contains(refused, trimmed)) {
            MyShowMessage("Name darf kein \"%s\" enthalten.|" + std::string(refused));
            return;
        }
    }
    ForceFolder(currentPath + trimmed + "/");
    ReadListing();
}

bool DirView::CloseQuery(int modalResult)
{
    currentPath = label_;
    if (modalResult != mrOk)
        return true;
    while (!Busy([&] { return files_.FolderExists(currentPath); })) {
        if (!AskRetry(currentPath)) {
            // The window stays open on the drive list, which the emptied path stands for.
            BackToDrives();
            return false;
        }
    }
    return true;
}
