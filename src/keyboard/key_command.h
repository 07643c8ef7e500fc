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

// The virtual key a key with a code sends. The key list writes ",", "." and "^"
// by their character codes 44, 46 and 94, which are the screenshot, delete and
// sleep keys as virtual keys: those three keys send the comma (decimal key), the
// period and the German "^" key (220, a dead key like "´") instead. Every other
// key sends its own code, "Entfernen" (46), "Screenshot" (44) and "Standby" (94)
// included.
std::uint16_t KeystrokeCode(const std::string& name, std::uint16_t code);
