#pragma once

#include <cstdint>

// What the keyboard window needs from the system to type into other programs:
// synthesized key events, the foreground window, the foreground lock time-out
// and the bell. The calls carry the classic virtual-key and scan-code values;
// an implementation turns them into its own system's input.

// A top-level window of the desktop; 0 is no window.
using WindowHandle = std::uint64_t;

// Flags of KeybdEvent, with the classic values; they combine with "|".
enum KeyEventFlags : std::uint32_t {
    KeyEventExtendedKey = 1,
    KeyEventKeyUp = 2,
};

// What MapKeyCode translates, with the classic map-type values and one of our own.
enum class KeyMapping : std::uint32_t {
    VirtualKeyToScanCode = 0,
    // The scan code of a key that types the virtual key's AltGr symbol on the
    // German keyboard ("@" for Q) by itself, with no modifier held; 0 when the
    // key has no such symbol or it cannot be typed.
    VirtualKeyToAltGrScanCode = 0x100,
};

class KeyboardOutput {
public:
    virtual ~KeyboardOutput() = default;

    // Scan code of a virtual key (only the low byte names the key; higher bits are
    // ignored); 0 when the key cannot be typed. Key events name keys by this code.
    virtual std::uint32_t MapKeyCode(std::uint32_t code, KeyMapping mapping) = 0;

    // One key event. The scan code picks the key; with scan code 0 the virtual key
    // does. A key-up with virtual key 0 releases the key that has that scan code.
    virtual void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) = 0;
    // Where the system queues key events, sends the ones given so far, together.
    virtual void FlushKeyEvents() {}

    // The window that has the user's attention now, 0 when none can be told.
    virtual WindowHandle GetForegroundWindow() = 0;
    // Asks for the window to be brought to the front and waits, briefly, until it is;
    // returns whether it is in front.
    virtual bool SetForegroundWindow(WindowHandle window) = 0;

    // Milliseconds for which the system refuses to let another program take the
    // foreground; where the system has no such setting the value is only kept.
    virtual std::uint32_t GetForegroundLockTimeout() = 0;
    virtual void SetForegroundLockTimeout(std::uint32_t milliseconds) = 0;

    // The default system sound (type 0).
    virtual void MessageBeep(std::uint32_t type) = 0;
};
