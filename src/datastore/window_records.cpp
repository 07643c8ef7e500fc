#include "datastore/window_records.h"

#include "datastore/window_record_format.h"

#include <map>

namespace {

// Filled while the program starts, before main; read-only afterwards.
std::map<std::string, std::string_view, std::less<>>& Registry()
{
    static std::map<std::string, std::string_view, std::less<>> records;
    return records;
}

} // namespace

bool RegisterEmbeddedRecord(std::string_view window, std::string_view record)
{
    Registry().insert_or_assign(std::string(window), record);
    return true;
}

std::string_view EmbeddedRecord(std::string_view window)
{
    const auto found = Registry().find(window);
    return found == Registry().end() ? std::string_view() : found->second;
}

std::vector<std::string> EmbeddedWindows()
{
    std::vector<std::string> windows;
    for (const auto& entry : Registry())
        windows.push_back(entry.first);
    return windows;
}

std::unique_ptr<TBinaryData> LoadEmbeddedComponent(std::string_view window, std::string_view component)
{
    const std::string_view bytes = EmbeddedRecord(window);
    if (bytes.empty())
        return nullptr;
    const WindowRecord record = ReadWindowRecord(bytes);
    const StoredComponent* stored = FindStoredComponent(record, component);
    return stored ? LoadStoredComponent(*stored) : nullptr;
}
