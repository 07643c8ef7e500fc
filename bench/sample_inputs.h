#pragma once

#include <string>

// Deterministic inputs of the kinds the codec carries in the program.

// An 889 x 238 8-bit palette bitmap file of a keyboard: rows of light keys
// with dark borders and glyphs on a grey background (213,374 bytes).
std::string GeneratedKeyboardBitmap();

// Bytes shaped like an x86-64 executable (378,880 bytes): a code section of
// typical instruction patterns with small displacements and near calls,
// then strings, then a table of addresses and small numbers.
std::string GeneratedExecutable();
