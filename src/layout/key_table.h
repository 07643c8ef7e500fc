#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The key table: which areas of the keyboard picture are keys and what each key
// sends. One table is filled at start-up and shared by the keyboard window and
// the layout editor; a key's index is its line in the key list.

inline constexpr int kKeyTableSize = 133;

// Key shapes.
inline constexpr std::uint8_t kKeyRectangle = 0; // "Eckig"
inline constexpr std::uint8_t kKeyCircle = 1;    // "Kreis"

struct TKeyRecord {
    // Virtual-key code the key sends; negative (-1) for a named command.
    std::int32_t Code = 0;
    // Placed on the picture; only enabled keys are hit-tested and highlighted.
    bool Enabled = false;
    std::uint8_t Typ = kKeyRectangle;
    // Rectangle: left and top edge. Circle: centre.
    std::int32_t p0x = 0;
    std::int32_t p0y = 0;
    // Rectangle: width and height; the key covers p0 to p0 + p1, both ends
    // included. Circle: p1x is the radius.
    std::int32_t p1x = 0;
    std::int32_t p1y = 0;

    friend bool operator==(const TKeyRecord&, const TKeyRecord&) = default;
};

// Raised when the key list or a layout does not fit the table: too many keys, or
// a value outside its field's range. The message is German program text.
class KeyTableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class KeyTable {
public:
    // Keys in use; every loop over keys runs from 0 to Count() - 1.
    int Count() const { return static_cast<int>(names_.size()); }

    // The key's name: its key list line before the first ";".
    const std::string& Name(int index) const { return names_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& Names() const { return names_; }

    // Records 0 to 132; those from Count() on are unused.
    TKeyRecord& Key(int index) { return records_.at(static_cast<std::size_t>(index)); }
    const TKeyRecord& Key(int index) const { return records_.at(static_cast<std::size_t>(index)); }

    // Replaces the key list: names and codes of the first keys. Throws
    // KeyTableError for more than kKeyTableSize names and leaves the table as it was.
    void SetKeys(std::vector<std::string> names, const std::vector<std::int32_t>& codes);

    friend bool operator==(const KeyTable&, const KeyTable&) = default;

private:
    std::array<TKeyRecord, kKeyTableSize> records_{};
    std::vector<std::string> names_;
};
