#include "keyboard/keystroke.h"

#include <array>
#include <string>

namespace {

constexpr std::uint8_t kShiftKey = 16, kCtrlKey = 17, kAltKey = 18;
constexpr std::uint8_t kCursorLeft = 37, kCursorRight = 39;
constexpr std::uint8_t kAltGrMask = 2 | 4; // Ctrl and Alt, without Shift

std::uint8_t ScanCode(KeyboardOutput& output, std::uint32_t virtualKey,
                      KeyMapping mapping = KeyMapping::VirtualKeyToScanCode)
{
    const std::uint32_t scan = output.MapKeyCode(virtualKey, mapping);
    if (scan > 255)
        throw KeystrokeRangeError("Der Scan-Code der Taste %s ist zu gro\xDF|" + std::to_string(virtualKey) + ": " +
                                  std::to_string(scan)); // "zu groß"
    return static_cast<std::uint8_t>(scan);
}

struct Modifier {
    bool latched;
    std::uint8_t key;
    std::uint8_t scan;
};

// Puts the foreground lock time-out back however the keystroke ends.
class LockTimeoutScope {
public:
    explicit LockTimeoutScope(KeyboardOutput& output) : output_(output), saved_(output.GetForegroundLockTimeout())
    {
        output_.SetForegroundLockTimeout(0);
    }
    ~LockTimeoutScope() { output_.SetForegroundLockTimeout(saved_); }
    LockTimeoutScope(const LockTimeoutScope&) = delete;
    LockTimeoutScope& operator=(const LockTimeoutScope&) = delete;

private:
    KeyboardOutput& output_;
    std::uint32_t saved_;
};

} // namespace

std::uint8_t ModifierLatches::Mask() const
{
    return static_cast<std::uint8_t>((shift ? 1 : 0) | (ctrl ? 2 : 0) | (alt ? 4 : 0));
}

void SendKeystroke(KeyboardOutput& output, WindowHandle target, std::uint16_t virtualKey,
                   const ModifierLatches& latches, bool tapCursorFirst)
{
    std::uint8_t mask = latches.Mask();
    // Ctrl+Alt is AltGr on the German keyboard: a key with a symbol there types it alone.
    std::uint8_t keyScan = mask == kAltGrMask ? ScanCode(output, virtualKey, KeyMapping::VirtualKeyToAltGrScanCode) : 0;
    if (keyScan != 0)
        mask = 0;
    else
        keyScan = ScanCode(output, virtualKey);
    std::array<Modifier, 3> modifiers = {
        {{(mask & 1) != 0, kShiftKey, 0}, {(mask & 2) != 0, kCtrlKey, 0}, {(mask & 4) != 0, kAltKey, 0}}};
    for (Modifier& modifier : modifiers)
        if (modifier.latched)
            modifier.scan = ScanCode(output, modifier.key);
    const std::uint8_t leftScan = tapCursorFirst ? ScanCode(output, kCursorLeft) : 0;
    const std::uint8_t rightScan = tapCursorFirst ? ScanCode(output, kCursorRight) : 0;

    LockTimeoutScope lockTimeout(output);
    output.SetForegroundWindow(target);
    if (tapCursorFirst) {
        output.KeybdEvent(kCursorLeft, leftScan, 0);
        output.KeybdEvent(0, leftScan, KeyEventKeyUp);
        output.KeybdEvent(kCursorRight, rightScan, 0);
        output.KeybdEvent(0, rightScan, KeyEventKeyUp);
    }
    for (const Modifier& modifier : modifiers)
        if (modifier.latched)
            output.KeybdEvent(modifier.key, modifier.scan, KeyEventExtendedKey);
    output.KeybdEvent(static_cast<std::uint8_t>(virtualKey & 0xFF), keyScan, 0);
    output.KeybdEvent(0, keyScan, KeyEventKeyUp);
    for (const Modifier& modifier : modifiers)
        if (modifier.latched)
            output.KeybdEvent(modifier.key, modifier.scan, KeyEventExtendedKey | KeyEventKeyUp);
    output.FlushKeyEvents();
}
