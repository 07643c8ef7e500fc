#pragma once

#include "platform/document_registry.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>

// The registry as one text file per user in the ".reg" form, in the encoding
// regedit reads and writes (reg_file.h), so that people and other tools can read it. Every call takes the file's lock,
// reads the file afresh and, for a change, writes a new file beside it and renames it over the old one; two programs
// changing values at the same time lose nothing. "Afresh" unless the file is still the one last read or written
// (same inode, size and times): then the document kept from it serves, and a read costs one stat. A file that cannot be
// read as a registry is moved aside (".damaged-" and a time stamp), reported, and the store starts again empty.
class LinuxRegistry final : public DocumentRegistry {
public:
    // storePath: the native path of the store file; its folder is created as needed.
    explicit LinuxRegistry(std::string storePath);

    // $XDG_CONFIG_HOME/tapsody/registry.reg
    static std::string DefaultStorePath();

    const std::string& StorePath() const { return storePath_; }

protected:
    // Both read the file afresh under its lock; Update writes it after a change.
    void Inspect(const std::function<void(RegDocument&)>& look) override;
    bool Update(const std::function<bool(RegDocument&)>& change) override;

private:
    // What tells one version of the store file from another.
    struct FileVersion {
        unsigned long long device, inode, size;
        long long modified, changed; // nanoseconds
        bool operator==(const FileVersion&) const = default;
    };
    struct Snapshot {
        FileVersion version;
        RegDocument document;
    };

    std::optional<FileVersion> CurrentVersion() const;
    // The document kept, when the file is still that version.
    std::optional<RegDocument> Kept(const std::optional<FileVersion>& version);
    void Keep(const RegDocument& document);
    RegDocument Load();
    bool Store(const RegDocument& document);

    std::string storePath_;
    std::mutex snapshotMutex_;
    std::optional<Snapshot> snapshot_;
};
