#pragma once

#include "platform/keyboard_output.h"

#include <cstdint>
#include <stdexcept>

// One keystroke into the target window, wrapped in the latched modifiers.

struct ModifierLatches {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    // Shift 1, Ctrl 2, Alt 4.
    std::uint8_t Mask() const;
};

// A code or scan code that does not fit its field.
class KeystrokeRangeError : public std::range_error {
public:
    using std::range_error::range_error;
};

// Sends virtualKey to target: the foreground lock time-out is set to 0 and the
// target brought to the front; with tapCursorFirst Cursor left and Cursor right
// are tapped; the latched Shift, Ctrl and Alt go down in that order, the key goes
// down (its low byte as the virtual key) and up (virtual key 0 and its scan
// code), the modifiers go up in the same order, and the time-out is set back.
// With exactly Ctrl and Alt latched, a key that has an AltGr symbol on the German
// keyboard types that symbol instead, on the key the output names for it, and
// neither Ctrl nor Alt is sent. Every scan code is looked up before anything is
// sent, so a code that cannot be sent (a scan code above 255) throws
// KeystrokeRangeError with nothing pressed.
void SendKeystroke(KeyboardOutput& output, WindowHandle target, std::uint16_t virtualKey,
                   const ModifierLatches& latches, bool tapCursorFirst);
