#pragma once

#include "platform/file_system.h"

// Files and folders on a POSIX file system. Text files that may sit in a shared
// folder are opened without following links and only when they are our own.
// Looking at, listing and making folders on a network file system is given up
// when its server does not answer in time (network_wait.h).
class LinuxFileSystem final : public FileSystem {
public:
    bool FolderExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool IsReadOnly(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool Copy(const std::string& source, const std::string& target, bool overwrite) override;
    bool Remove(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) override;
    bool CopyReplacing(const std::string& source, const std::string& target) override;
    bool WriteReplacing(const std::string& path, const std::string& bytes) override;
    bool ProbeWritable(const std::string& folder, const std::string& name) override;
    std::optional<std::string> CreatePrivateFolder(const std::string& parent, const std::string& prefix) override;
    bool CreatePrivateProgram(const std::string& path, const std::string& bytes) override;
    bool CreateOwnTextFile(const std::string& path, const std::vector<std::string>& lines) override;
    bool AppendOwnTextFile(const std::string& path, const std::vector<std::string>& lines) override;
};
