#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The system's registry as the program uses it: keys under two roots holding
// named string and 32-bit integer values. Key paths use "\" between levels and
// may start with one ("\Software\Vendor"); key and value names compare without
// regard to letter case. Texts are Windows-1252 bytes.

enum class RegistryRoot { LocalMachine, CurrentUser };

class Registry {
public:
    virtual ~Registry() = default;

    virtual bool KeyExists(RegistryRoot root, const std::string& key) = 0;
    // Creates the key and its missing parents; true when the key exists afterwards.
    virtual bool CreateKey(RegistryRoot root, const std::string& key) = 0;
    // Removes the key with its values and subkeys; true when it is gone afterwards.
    virtual bool DeleteKey(RegistryRoot root, const std::string& key) = 0;
    // Removes the key only when it holds neither values nor subkeys; true when
    // it is gone afterwards.
    virtual bool DeleteKeyIfEmpty(RegistryRoot root, const std::string& key) = 0;

    virtual bool ValueExists(RegistryRoot root, const std::string& key, const std::string& name) = 0;
    // Nothing when the key or value is missing or has another type.
    virtual std::optional<std::string> ReadString(RegistryRoot root, const std::string& key,
                                                  const std::string& name) = 0;
    virtual std::optional<std::int32_t> ReadInteger(RegistryRoot root, const std::string& key,
                                                    const std::string& name) = 0;
    // Writes create the key when it is missing; false when the value could not be stored.
    virtual bool WriteString(RegistryRoot root, const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    virtual bool WriteInteger(RegistryRoot root, const std::string& key, const std::string& name,
                              std::int32_t value) = 0;
    virtual bool DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) = 0;
};
