#pragma once

#include "setup/dir_icons.h"
#include "setup/dir_places.h"

#include <functional>
#include <string>
#include <vector>

class FileSystem;
class SystemFolders;
class SystemInfo;

// What the folder chooser shows and how it moves between its two views: the
// drive list (current path empty) and a folder (current path set, ending in
// "/"). The window shows Items(), selects Selected(), shows Label() and enables
// its buttons as told, and hands the user's actions here. Texts are
// Windows-1252; messages go through the program's message dialogs.

struct DirItem {
    std::string caption;
    DirIcon icon = kIconFolder;
    std::string root; // drive list: the folder the entry opens
};

// The listing's order: folders (and "..") before files, ".." first among
// folders, then by upper-cased names in character order.
bool ListsBefore(const DirItem& a, const DirItem& b);

class DirView {
public:
    DirView(FileSystem& files, SystemFolders& folders, SystemInfo& system);

    // Empty: the drive list. After a close, the folder chosen.
    std::string currentPath;
    // Empty for choosing a folder; a text beginning with "Datei" chooses a file.
    std::string modeText;

    // Called with true before and false after each look at the file system, which
    // may take a while on a slow or gone network file system.
    std::function<void(bool)> onBusy;

    bool FileMode() const { return fileMode_; }
    bool ShowsDrives() const { return currentPath.empty(); }
    const std::vector<DirItem>& Items() const { return items_; }
    int Selected() const { return selected_; } // -1: none
    // The folder OK would return.
    const std::string& Label() const { return label_; }
    bool OkEnabled() const { return !label_.empty(); }
    bool NewFolderEnabled() const { return !currentPath.empty(); }

    // Showing the window: sets the mode from the mode text, reads the listing and
    // returns the window's caption (translated).
    std::string Show();
    // The window closed: the mode text is forgotten.
    void Closed() { modeText.clear(); }

    // Reads the current path's listing, or the drive list; a current path that is
    // no folder is first taken back to the deepest folder that exists, with the
    // question whether to try again when its drive is not there.
    void ReadListing();
    // The user selected item index (-1: none); the label follows.
    void Select(int index);
    // Opens the selected item (Enter, double click). True when this confirms the
    // dialog (a file in file mode).
    bool Activate();
    // Shows the drive list with the drive of the folder shown selected.
    void BackToDrives();
    // Makes a folder of that name (the user's answer) in the current folder.
    void NewFolder(const std::string& name);
    // The window is about to close with modalResult: the current path becomes the
    // label; for OK, the folder must exist. False keeps the window open.
    bool CloseQuery(int modalResult);

private:
    template <typename Work>
    auto Busy(Work work);
    std::vector<DrivePlace> Places();
    bool DriveReady(const std::string& root);
    void ValidateCurrentPath();
    void ReadFolder();
    void ReadDrives();
    void SelectFolderNamed(const std::string& name);
    void SelectDrive(const std::string& root);
    std::string DriveRoot(const std::string& folder);

    FileSystem& files_;
    SystemFolders& folders_;
    SystemInfo& system_;
    bool fileMode_ = false;
    std::vector<DirItem> items_;
    int selected_ = -1;
    std::string label_;
};
