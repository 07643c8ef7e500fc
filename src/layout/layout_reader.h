#pragma once

#include "layout/key_table.h"

#include <cstdint>
#include <string>
#include <vector>

class tinifile2;

// The layout file places the keys on the picture: an INI text with a section
// "All" for the defaults and one section per key, named by the key's name in
// lower case ("SHIFT-Links" is "[shift-links]").

// The layout editor's boxes, read from "All": default key size and whether a
// new key gets it.
struct LayoutBoxes {
    std::int32_t Breite = 20;
    std::int32_t Hoehe = 20;
    bool Vorgabe = true;

    friend bool operator==(const LayoutBoxes&, const LayoutBoxes&) = default;
};

// Reads the layout into the table for every key of its key list. A key without
// "p0x" is not placed and gets the opposite of the default "Enabled"; its other
// coordinates stay. Throws KeyTableError when a value is out of its field's
// range (positions -32768 to 32767, sizes 0 to 32767, "Typ" 0 to 255); the
// table is then left as it was.
LayoutBoxes LoadLayout(KeyTable& table, tinifile2& layout);

// The same from the lines of a layout text (the stored layout).
LayoutBoxes LoadLayoutLines(KeyTable& table, const std::vector<std::string>& lines);

// Load layout as the editor runs it: from the file layoutFileName, or from the
// stored layout when that name is empty. Throws KeyTableError when the named
// file does not exist, cannot be read, or has neither the section "All" nor a
// section of a key; the table is then left as it was.
LayoutBoxes LoadLayout(KeyTable& table, const std::string& layoutFileName,
                       const std::vector<std::string>& storedLayout);
