#pragma once

#include "platform/reg_text.h"
#include "platform/registry.h"

#include <functional>
#include <string>

// The registry operations on a document of keys and values. Where the document
// lives is left to the implementation: Inspect shows it the current document,
// Update lets a change work on it and keeps the result when the change says it
// changed something.
class DocumentRegistry : public Registry {
public:
    bool KeyExists(RegistryRoot root, const std::string& key) override;
    bool CreateKey(RegistryRoot root, const std::string& key) override;
    bool DeleteKey(RegistryRoot root, const std::string& key) override;
    bool DeleteKeyIfEmpty(RegistryRoot root, const std::string& key) override;
    bool ValueExists(RegistryRoot root, const std::string& key, const std::string& name) override;
    std::optional<std::string> ReadString(RegistryRoot root, const std::string& key, const std::string& name) override;
    std::optional<std::int32_t> ReadInteger(RegistryRoot root, const std::string& key,
                                            const std::string& name) override;
    bool WriteString(RegistryRoot root, const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool WriteInteger(RegistryRoot root, const std::string& key, const std::string& name, std::int32_t value) override;
    bool DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) override;

protected:
    // The look only reads: an implementation may show it the document it keeps.
    virtual void Inspect(const std::function<void(RegDocument&)>& look) = 0;
    // False when the changed document could not be kept.
    virtual bool Update(const std::function<bool(RegDocument&)>& change) = 0;

private:
    const RegValue* Find(RegDocument& document, RegistryRoot root, const std::string& key, const std::string& name);
    bool SetValue(RegistryRoot root, const std::string& key, const RegValue& value);
};

// A registry held in memory, for tests and for a program without a store.
class MemoryRegistry final : public DocumentRegistry {
public:
    RegDocument document;

protected:
    void Inspect(const std::function<void(RegDocument&)>& look) override { look(document); }
    bool Update(const std::function<bool(RegDocument&)>& change) override
    {
        change(document);
        return true;
    }
};

// "HKEY_LOCAL_MACHINE\Software\Vendor" from a root and "\Software\Vendor\".
std::string RegKeyPath(RegistryRoot root, const std::string& key);
