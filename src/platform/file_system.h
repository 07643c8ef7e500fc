#pragma once

#include <optional>
#include <string>
#include <vector>

// Files and folders. Paths are Windows-1252 bytes with "/" between levels;
// folder names may end in "/".

struct FolderEntry {
    std::string name;
    bool folder = false; // a link counts as what it points to
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool FolderExists(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // A file or folder exists at path and the user may not change it.
    virtual bool IsReadOnly(const std::string& path) = 0;
    // Creates one folder level (its parent must exist); true on success.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Copies a file; false when it cannot, or when target exists and overwrite is off.
    virtual bool Copy(const std::string& source, const std::string& target, bool overwrite) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // Removes an empty folder; false when it cannot (not empty, missing, not permitted).
    virtual bool RemoveFolder(const std::string& path) = 0;
    // The entries of a folder without "." and "..", in no particular order;
    // nothing when it cannot be read (missing, not permitted, or on a network
    // file system that does not answer in time).
    virtual std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) = 0;
    // Copies source to a new file beside target, with source's permissions, and
    // renames it over target: a reader, a program running from target or a crash
    // sees the old file or the new one, never a mix. False when it cannot; target
    // is then unchanged.
    virtual bool CopyReplacing(const std::string& source, const std::string& target) = 0;
    // Replaces the file at path with bytes the same way.
    virtual bool WriteReplacing(const std::string& path, const std::string& bytes) = 0;

    // Whether a new file can be made in folder: creates folder + name as a new
    // file of its own (never through a link or over a file already there), then
    // removes it again.
    virtual bool ProbeWritable(const std::string& folder, const std::string& name) = 0;

    // Makes a new folder in parent that only the user may enter, named prefix
    // and a few random characters, never one that stood there before; its path
    // ending in "/", or nothing when it cannot.
    virtual std::optional<std::string> CreatePrivateFolder(const std::string& parent, const std::string& prefix) = 0;
    // Writes bytes to a new program file at path that only the user may read,
    // change or start; false when anything stands at path already or the file
    // cannot be written whole (nothing is left behind then).
    virtual bool CreatePrivateProgram(const std::string& path, const std::string& bytes) = 0;

    // Text files that may sit in a folder shared with other users, such as the
    // log: neither call follows a link at path or writes into another user's
    // file. Lines are written as given, each followed by CR LF.
    // Replaces any older file of ours with a new one holding lines.
    virtual bool CreateOwnTextFile(const std::string& path, const std::vector<std::string>& lines) = 0;
    // Appends lines to our file at path, creating it when it is missing.
    virtual bool AppendOwnTextFile(const std::string& path, const std::vector<std::string>& lines) = 0;
};
