#pragma once

#include "layout/key_table.h"
#include "layout/layout_reader.h"

#include <string>
#include <vector>

// Writes the key table as a layout file that LoadLayout reads back to the same
// table: "All" with the editor's boxes, then one lower-cased section per placed
// key, giving only the values that differ from the defaults.

// The layout text as lines (an empty line before every section but the first).
std::vector<std::string> LayoutLines(const KeyTable& table, const LayoutBoxes& boxes);

// Where Save layout writes: the layout file in use, or progDir + "layout.ini".
std::string SaveLayoutTarget(const std::string& layoutFileName, const std::string& progDir);

// Writes the layout text, each line followed by CR LF. On failure shows an error
// message and returns false; the file is then left as it was.
bool SaveLayout(const KeyTable& table, const LayoutBoxes& boxes, const std::string& fileName);
