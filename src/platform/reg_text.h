#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The registry's text form, as in ".reg" files: a header line, keys in brackets
// with their full path ("[HKEY_CURRENT_USER\Software\Vendor]"), and below each
// key its values: "name"="text" or "name"=dword:0000002a ("@" names the default
// value). In a quoted text, "\" and the double quote are written behind a
// backslash, and so are line breaks (\n, \r), so that every value keeps to one
// line. Values of other types are kept as they were written. All texts here are
// Windows-1252; the text of the file is UTF-8 (reg_file.h gives its bytes), and
// the reasons given for a damaged text are German, like the program's messages.

inline constexpr char kRegHeader[] = "Windows Registry Editor Version 5.00";

struct RegValue {
    enum class Type { String, Dword, Other };
    std::string name; // empty for the default value "@"
    Type type = Type::String;
    std::string text;        // String: the value; Other: what follows "=" as written
    std::uint32_t dword = 0; // Dword
};

struct RegKey {
    std::string path; // root and levels joined by "\", as "HKEY_LOCAL_MACHINE\Software"
    std::vector<RegValue> values;
};

// A whole store: its keys in file order.
struct RegDocument {
    std::vector<RegKey> keys;

    // Keys and names compare without regard to letter case.
    RegKey* FindKey(const std::string& path);
    // The key itself, or a key below it, is listed.
    bool HasKey(const std::string& path) const;
    // The key holds values or has keys below it.
    bool HoldsAnything(const std::string& path) const;
    RegKey& AddKey(const std::string& path);
    // Removes the key and every key below it; true when something was removed.
    bool RemoveKey(const std::string& path);
    static RegValue* FindValue(RegKey& key, const std::string& name);
    static bool RemoveValue(RegKey& key, const std::string& name);
};

struct RegParseResult {
    std::optional<RegDocument> document; // nothing when the text is damaged
    int errorLine = 0;                   // 1-based line of the first fault
    std::string error;                   // Windows-1252
};

RegParseResult ParseRegText(const std::string& utf8Text);
std::string FormatRegText(const RegDocument& document);

// Compares two key paths or value names as the registry does.
bool SameRegName(const std::string& a, const std::string& b);
