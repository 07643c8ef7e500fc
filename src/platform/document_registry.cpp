#include "platform/document_registry.h"

#include <sstream>

std::string RegKeyPath(RegistryRoot root, const std::string& key)
{
    std::string path = root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    std::string level;
    std::istringstream levels(key);
    while (std::getline(levels, level, '\\'))
        if (!level.empty())
            path += "\\" + level;
    return path;
}

const RegValue* DocumentRegistry::Find(RegDocument& document, RegistryRoot root, const std::string& key,
                                       const std::string& name)
{
    RegKey* found = document.FindKey(RegKeyPath(root, key));
    return found ? RegDocument::FindValue(*found, name) : nullptr;
}

bool DocumentRegistry::KeyExists(RegistryRoot root, const std::string& key)
{
    bool exists = false;
    Inspect([&](RegDocument& document) { exists = document.HasKey(RegKeyPath(root, key)); });
    return exists;
}

bool DocumentRegistry::CreateKey(RegistryRoot root, const std::string& key)
{
    if (KeyExists(root, key))
        return true;
    const std::string path = RegKeyPath(root, key);
    return Update([&](RegDocument& document) {
        if (document.HasKey(path))
            return false;
        document.AddKey(path);
        return true;
    });
}

bool DocumentRegistry::DeleteKey(RegistryRoot root, const std::string& key)
{
    const std::string path = RegKeyPath(root, key);
    return Update([&](RegDocument& document) { return document.RemoveKey(path); });
}

bool DocumentRegistry::DeleteKeyIfEmpty(RegistryRoot root, const std::string& key)
{
    const std::string path = RegKeyPath(root, key);
    bool held = false;
    const bool kept = Update([&](RegDocument& document) {
        held = document.HoldsAnything(path);
        return !held && document.RemoveKey(path);
    });
    return kept && !held;
}

bool DocumentRegistry::ValueExists(RegistryRoot root, const std::string& key, const std::string& name)
{
    bool exists = false;
    Inspect([&](RegDocument& document) { exists = Find(document, root, key, name) != nullptr; });
    return exists;
}

std::optional<std::string> DocumentRegistry::ReadString(RegistryRoot root, const std::string& key,
                                                        const std::string& name)
{
    std::optional<std::string> result;
    Inspect([&](RegDocument& document) {
        const RegValue* value = Find(document, root, key, name);
        if (value && value->type == RegValue::Type::String)
            result = value->text;
    });
    return result;
}

std::optional<std::int32_t> DocumentRegistry::ReadInteger(RegistryRoot root, const std::string& key,
                                                          const std::string& name)
{
    std::optional<std::int32_t> result;
    Inspect([&](RegDocument& document) {
        const RegValue* value = Find(document, root, key, name);
        if (value && value->type == RegValue::Type::Dword)
            result = static_cast<std::int32_t>(value->dword);
    });
    return result;
}

bool DocumentRegistry::SetValue(RegistryRoot root, const std::string& key, const RegValue& value)
{
    const std::string path = RegKeyPath(root, key);
    return Update([&](RegDocument& document) {
        RegKey* found = document.FindKey(path);
        if (!found)
            found = &document.AddKey(path);
        RegValue* old = RegDocument::FindValue(*found, value.name);
        if (!old) {
            found->values.push_back(value);
            return true;
        }
        if (old->type == value.type && old->text == value.text && old->dword == value.dword)
            return false;
        *old = RegValue{old->name, value.type, value.text, value.dword}; // the name keeps its spelling
        return true;
    });
}

bool DocumentRegistry::WriteString(RegistryRoot root, const std::string& key, const std::string& name,
                                   const std::string& value)
{
    return SetValue(root, key, RegValue{name, RegValue::Type::String, value, 0});
}

bool DocumentRegistry::WriteInteger(RegistryRoot root, const std::string& key, const std::string& name,
                                    std::int32_t value)
{
    return SetValue(root, key, RegValue{name, RegValue::Type::Dword, {}, static_cast<std::uint32_t>(value)});
}

bool DocumentRegistry::DeleteValue(RegistryRoot root, const std::string& key, const std::string& name)
{
    const std::string path = RegKeyPath(root, key);
    return Update([&](RegDocument& document) {
        RegKey* found = document.FindKey(path);
        return found && RegDocument::RemoveValue(*found, name);
    });
}
