#pragma once

#include <cstdint>
#include <string>

// What a key does: a named command, or the virtual-key code of a keystroke.

enum class KeyCommand : std::uint8_t {
    None,
    ToggleAlt,
    ToggleCtrl,
    ToggleShift,
    Close,
    Info,
    CharMap,
};

// The command of an upper-cased key name ("ALT", "CTRL-LINKS", "CLOSE", ...);
// KeyCommand::None for any other name.
KeyCommand CommandOfName(const std::string& upperName);

// The virtual key a key with a code sends. The key list writes "," and "." by
// their character codes 44 and 46, which are the screenshot and delete keys as
// virtual keys: those two keys send the comma (decimal key) and the period
// instead. Every other key sends its own code, "Entfernen" (46) and
// "Screenshot" (44) included.
std::uint16_t KeystrokeCode(const std::string& name, std::uint16_t code);
