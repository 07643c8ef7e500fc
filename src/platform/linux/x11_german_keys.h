#pragma once

#include <cstdint>

// The symbols a virtual key stands for on the German keyboard the picture shows:
// the plain symbol, the one with Shift (0 when Shift gives no other symbol) and
// the one with AltGr (0 for none).
struct GermanKeySymbols {
    unsigned long plain = 0;
    unsigned long shifted = 0;
    unsigned long altGr = 0;
};

// Only the low byte of the code names the key. Codes without a meaning on the
// German keyboard give {0, 0}.
GermanKeySymbols GermanSymbolsOfVirtualKey(std::uint32_t virtualKey);
