#pragma once

#include <cstdint>
#include <string>
#include <vector>

// INI-style settings file held in memory as lines, written back once when
// released, and only after a write. A file may be kept compressed: "ZUK"
// followed by a stored-data block of the text.
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
    void UpdateFile();

    const std::string& FileName() const { return fileName_; }
    const std::vector<std::string>& Lines() const { return lines_; }
    bool Valid() const { return valid_; }
    bool Modified() const { return modified_; }
    bool Compressed() const { return compressed_; }

private:
    int FindSection(const std::string& section);

    std::string cachedSection_;
    std::string fileName_;
    bool valid_ = false;
    bool modified_ = false;
    std::vector<std::string> lines_;
    int cachedSectionIndex_ = -1;
    bool compressed_ = false;
};
