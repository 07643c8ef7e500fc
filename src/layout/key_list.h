#pragma once

#include "layout/key_table.h"

#include <cstdint>
#include <string>
#include <vector>

// The key list: one line per key, "name;code" for a key that sends a
// virtual-key code, or just the name for a named command such as "ALT".

struct KeyListEntry {
    std::string name;
    std::int32_t code = -1;

    friend bool operator==(const KeyListEntry&, const KeyListEntry&) = default;
};

// Trims the line; the name is the text before the first ";", the code the text
// after it read as a German number ("1.000" is 1000, "12,5" is 12). Without ";"
// the code is -1. Throws KeyTableError when the code does not fit 32 bits.
KeyListEntry ParseKeyListLine(const std::string& line);

// Replaces the table's key names and codes by those of the lines; positions and
// the other fields stay for the layout to set. Throws KeyTableError for more than
// kKeyTableSize lines or a code out of range, and then changes nothing.
void BuildKeyList(KeyTable& table, const std::vector<std::string>& lines);
