#pragma once

#include "platform/reg_text.h"
#include "platform/registry.h"

#include <functional>
#include <string>

// The registry as one text file per user in the ".reg" form, so that people and
// other tools can read it. Every call takes the file's lock, reads the file
// afresh and, for a change, writes a new file beside it and renames it over the
// old one; two programs changing values at the same time lose nothing. A file
// that cannot be read as a registry is moved aside (".damaged-" and a time
// stamp), reported, and the store starts again empty.
class LinuxRegistry final : public Registry {
public:
    // storePath: the native path of the store file; its folder is created as needed.
    explicit LinuxRegistry(std::string storePath);

    // $XDG_CONFIG_HOME/tapsody/registry.reg
    static std::string DefaultStorePath();

    bool KeyExists(RegistryRoot root, const std::string& key) override;
    bool CreateKey(RegistryRoot root, const std::string& key) override;
    bool DeleteKey(RegistryRoot root, const std::string& key) override;
    bool ValueExists(RegistryRoot root, const std::string& key, const std::string& name) override;
    std::optional<std::string> ReadString(RegistryRoot root, const std::string& key,
                                          const std::string& name) override;
    std::optional<std::int32_t> ReadInteger(RegistryRoot root, const std::string& key,
                                            const std::string& name) override;
    bool WriteString(RegistryRoot root, const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool WriteInteger(RegistryRoot root, const std::string& key, const std::string& name,
                      std::int32_t value) override;
    bool DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) override;

    const std::string& StorePath() const { return storePath_; }

private:
    // Runs change on the current document under the lock; writes the file when
    // change returns true. False when the store could not be locked or written.
    bool Update(const std::function<bool(RegDocument&)>& change);
    // Runs look on the current document under the lock.
    void Inspect(const std::function<void(RegDocument&)>& look);
    RegDocument Load();
    bool Store(const RegDocument& document);

    std::string storePath_;
};

// "HKEY_LOCAL_MACHINE\Software\Vendor" from a root and "\Software\Vendor\".
std::string RegKeyPath(RegistryRoot root, const std::string& key);
