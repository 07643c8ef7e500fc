#pragma once

#include <cstdint>
#include <string>
#include <vector>

// INI-style settings file held in memory as lines, written back once when
// released, and only after a write. A file may be kept compressed: "ZUK"
// followed by a stored-data block of the text. Texts and the file name are
// Windows-1252 bytes.
class tinifile2 {
public:
    explicit tinifile2(std::string fileName);
    ~tinifile2();
    tinifile2(const tinifile2&) = delete;
    tinifile2& operator=(const tinifile2&) = delete;

    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue);
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    std::int64_t ReadInteger(const std::string& section, const std::string& key, std::int64_t defaultValue);
    void WriteInteger(const std::string& section, const std::string& key, std::int64_t value);
    // Appends lines to the text, as when seeding an unnamed object with default text.
    void AddStrings(const std::vector<std::string>& lines);
    // Writes the file now (only clears the modified mark when there is no file name).
    // A read-only file is not written (a warning is shown, the changes stay in
    // memory); nor is a file that could not be read. Write errors are thrown as
    // std::filesystem::filesystem_error; the old file then stays as it was.
    void UpdateFile();

    const std::string& FileName() const { return fileName_; }
    const std::vector<std::string>& Lines() const { return lines_; }
    bool Valid() const { return valid_; }
    bool Modified() const { return modified_; }
    bool Compressed() const { return compressed_; }
    // The file exists but could not be read or decoded; it is never written over.
    bool Unreadable() const { return unreadable_; }

private:
    struct KeySearch {
        std::size_t index; // the matching entry, or where the section ends
        bool found;
    };

    void ReadFile();
    int FindSection(const std::string& section);
    int SearchSections(const std::string& target, std::size_t from, std::size_t to);
    KeySearch FindKey(int header, const std::string& key) const;
    std::string FileBytes() const;

    std::string cachedSection_;
    std::string fileName_;
    bool valid_ = false;
    bool modified_ = false;
    std::vector<std::string> lines_;
    int cachedSectionIndex_ = -1;
    bool compressed_ = false;
    bool unreadable_ = false;
};
