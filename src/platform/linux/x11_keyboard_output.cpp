#include "platform/linux/x11_keyboard_output.h"

#include "platform/linux/x11_active_window.h"
#include "platform/linux/x11_german_keys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <bitset>
#include <memory>

// The core keyboard mapping: for each keycode from min to max, perCode symbols.
class X11Keymap {
public:
    explicit X11Keymap(Display* display)
    {
        XDisplayKeycodes(display, &min_, &max_);
        symbols_.reset(XGetKeyboardMapping(display, static_cast<KeyCode>(min_), max_ - min_ + 1, &perCode_));
    }

    int Min() const { return min_; }
    int Max() const { return max_; }

    KeySym At(int keycode, int index) const
    {
        if (!symbols_ || index >= perCode_)
            return NoSymbol;
        return symbols_.get()[(keycode - min_) * perCode_ + index];
    }

    // The symbol with Shift; a letter listed alone gets its capital.
    KeySym Shifted(int keycode) const
    {
        if (const KeySym listed = At(keycode, 1); listed != NoSymbol)
            return listed;
        KeySym lower = NoSymbol;
        KeySym upper = NoSymbol;
        XConvertCase(At(keycode, 0), &lower, &upper);
        return upper;
    }

    bool Empty(int keycode) const
    {
        for (int i = 0; i < perCode_; ++i)
            if (At(keycode, i) != NoSymbol)
                return false;
        return true;
    }

private:
    struct Free {
        void operator()(KeySym* symbols) const { XFree(symbols); }
    };
    int min_ = 8;
    int max_ = 7;
    int perCode_ = 0;
    std::unique_ptr<KeySym, Free> symbols_;
};

namespace {

using KeycodeSet = std::bitset<256>;

KeycodeSet ModifierKeycodes(Display* display)
{
    KeycodeSet keycodes;
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map)
        return keycodes;
    for (int i = 0; i < 8 * map->max_keypermod; ++i)
        keycodes.set(map->modifiermap[i]);
    XFreeModifiermap(map);
    return keycodes;
}

// Keycodes the XKB keymap names as keys; all of them when the server has no XKB.
KeycodeSet NamedKeycodes(Display* display)
{
    KeycodeSet keycodes;
    XkbDescPtr keyboard = XkbGetMap(display, 0, XkbUseCoreKbd);
    if (!keyboard || XkbGetNames(display, XkbKeyNamesMask, keyboard) != Success || !keyboard->names ||
        !keyboard->names->keys) {
        if (keyboard)
            XkbFreeKeyboard(keyboard, 0, True);
        return keycodes.set();
    }
    for (int keycode = keyboard->min_key_code; keycode <= keyboard->max_key_code; ++keycode)
        keycodes[static_cast<std::size_t>(keycode)] = keyboard->names->keys[keycode].name[0] != '\0';
    XkbFreeKeyboard(keyboard, 0, True);
    return keycodes;
}

// Keycodes free to lend: without symbols, a key the XKB keymap knows (clients that
// build their keymap from XKB may have no key for a nameless keycode), and no modifier,
// which a lent symbol would otherwise turn into.
KeycodeSet SpareKeycodes(Display* display, const X11Keymap& keymap)
{
    const KeycodeSet named = NamedKeycodes(display);
    const KeycodeSet modifiers = ModifierKeycodes(display);
    KeycodeSet spare;
    for (int keycode = keymap.Min(); keycode <= keymap.Max(); ++keycode) {
        const auto bit = static_cast<std::size_t>(keycode);
        spare[bit] = keymap.Empty(keycode) && named[bit] && !modifiers[bit];
    }
    return spare;
}

} // namespace

X11KeyboardOutput::X11KeyboardOutput(Display* display)
    : display_(display), activeWindow_(std::make_unique<ActiveWindowCache>(display))
{
    // A client that speaks XKB (Xlib does by itself) may get no core MappingNotify
    // when another program loads a new keymap, so the XKB events are asked for too.
    int opcode = 0, errorBase = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (display_ && XkbQueryExtension(display_, &opcode, &xkbEventBase_, &errorBase, &major, &minor)) {
        const unsigned long changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(display_, XkbUseCoreKbd, changes, changes);
    } else {
        xkbEventBase_ = -1;
    }
}

// Reads what the server reported since: keymap changes, and what may have
// changed the active window. Reading the queue costs no round trip.
void X11KeyboardOutput::ReadEvents()
{
    if (!display_)
        return;
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            keymap_.reset();
        } else if (xkbEventBase_ >= 0 && event.type == xkbEventBase_) {
            keymap_.reset(); // a new keyboard or a changed map
        }
        activeWindow_->Notice(event);
    }
}

// The keymap as last fetched; fetched again after the server reported a change.
const X11Keymap& X11KeyboardOutput::Keymap()
{
    ReadEvents();
    if (!keymap_)
        keymap_ = std::make_unique<X11Keymap>(display_);
    return *keymap_;
}

X11KeyboardOutput::~X11KeyboardOutput()
{
    if (!display_)
        return;
    for (const LentKeycode& lent : lent_)
        GiveBack(lent);
    XSync(display_, False);
}

std::uint32_t X11KeyboardOutput::MapKeyCode(std::uint32_t code, KeyMapping mapping)
{
    GiveBackIdleKeycodes();
    if (!display_)
        return 0;
    const GermanKeySymbols symbols = GermanSymbolsOfVirtualKey(code);
    switch (mapping) {
    case KeyMapping::VirtualKeyToScanCode:
        return symbols.plain == 0 ? 0 : static_cast<std::uint32_t>(KeycodeOfSymbols(symbols.plain, symbols.shifted));
    case KeyMapping::VirtualKeyToAltGrScanCode:
        // X11 programs read Ctrl+Alt as shortcuts, never as AltGr: the symbol goes
        // on a key of its own, as every symbol does.
        return symbols.altGr == 0 ? 0 : static_cast<std::uint32_t>(KeycodeOfSymbols(symbols.altGr, 0));
    }
    return 0;
}

// A keycode whose plain symbol, and shifted symbol where the German key has one,
// are the wanted ones; otherwise a lent one, so that Shift gives what the picture shows.
int X11KeyboardOutput::KeycodeOfSymbols(unsigned long plain, unsigned long shifted)
{
    const X11Keymap& keymap = Keymap();
    for (int keycode = keymap.Min(); keycode <= keymap.Max(); ++keycode) {
        if (keymap.At(keycode, 0) == plain && (shifted == 0 || keymap.Shifted(keycode) == shifted))
            return keycode;
    }
    return LendKeycode(plain, shifted);
}

// The spare keycode that came back longest ago (one never lent first, the highest
// among equals): a client still reading events of an earlier loan then finds that
// keycode empty rather than carrying another symbol.
int X11KeyboardOutput::RestedSpareKeycode()
{
    const X11Keymap& keymap = Keymap();
    const KeycodeSet spare = SpareKeycodes(display_, keymap);
    int keycode = 0;
    auto cameBack = std::chrono::steady_clock::time_point::max();
    for (int candidate = keymap.Max(); candidate >= keymap.Min(); --candidate) {
        if (!spare[static_cast<std::size_t>(candidate)])
            continue;
        const auto found = givenBackAt_.find(candidate);
        const auto at = found != givenBackAt_.end() ? found->second : std::chrono::steady_clock::time_point::min();
        if (at < cameBack) {
            keycode = candidate;
            cameBack = at;
        }
    }
    return keycode;
}

// Every spare keycode is lent: take back the one released longest ago.
int X11KeyboardOutput::TakeBackOldestLoan()
{
    auto oldest = lent_.end();
    for (auto it = lent_.begin(); it != lent_.end(); ++it)
        if (!it->down && (oldest == lent_.end() || it->releasedAt < oldest->releasedAt))
            oldest = it;
    if (oldest == lent_.end())
        return 0;
    const int keycode = oldest->keycode;
    lent_.erase(oldest);
    return keycode;
}

int X11KeyboardOutput::LendKeycode(unsigned long plain, unsigned long shifted)
{
    int keycode = RestedSpareKeycode();
    if (keycode == 0)
        keycode = TakeBackOldestLoan();
    if (keycode == 0)
        return 0;
    KeySym pair[2] = {plain, shifted != 0 ? shifted : NoSymbol};
    XChangeKeyboardMapping(display_, keycode, 2, pair, 1);
    XSync(display_, False);
    keymap_.reset();
    lent_.push_back({keycode, false, std::chrono::steady_clock::now()});
    return keycode;
}

void X11KeyboardOutput::GiveBack(const LentKeycode& lent)
{
    KeySym none[1] = {NoSymbol};
    XChangeKeyboardMapping(display_, lent.keycode, 1, none, 1);
    keymap_.reset();
    givenBackAt_[lent.keycode] = std::chrono::steady_clock::now();
}

void X11KeyboardOutput::GiveBackIdleKeycodes()
{
    const auto now = std::chrono::steady_clock::now();
    const auto idle = [&](const LentKeycode& lent) { return !lent.down && now - lent.releasedAt >= kLendTime; };
    bool changed = false;
    for (const LentKeycode& lent : lent_)
        if (idle(lent)) {
            GiveBack(lent);
            changed = true;
        }
    if (changed) {
        std::erase_if(lent_, idle);
        XFlush(display_);
    }
}

void X11KeyboardOutput::KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags)
{
    GiveBackIdleKeycodes();
    if (!display_)
        return;
    const std::uint32_t keycode = scanCode != 0 ? scanCode : MapKeyCode(virtualKey, KeyMapping::VirtualKeyToScanCode);
    if (keycode == 0)
        return;
    const bool down = (flags & KeyEventKeyUp) == 0;
    XTestFakeKeyEvent(display_, keycode, down ? True : False, CurrentTime);
    for (LentKeycode& lent : lent_)
        if (lent.keycode == static_cast<int>(keycode)) {
            lent.down = down;
            lent.releasedAt = std::chrono::steady_clock::now();
        }
}

void X11KeyboardOutput::FlushKeyEvents()
{
    if (display_)
        XFlush(display_);
}

WindowHandle X11KeyboardOutput::GetForegroundWindow()
{
    GiveBackIdleKeycodes();
    ReadEvents();
    return activeWindow_->Current();
}

bool X11KeyboardOutput::SetForegroundWindow(WindowHandle window)
{
    ReadEvents();
    if (window != 0 && activeWindow_->Current() == window)
        return true;
    return ActivateTopLevel(display_, window, kActivationLimit);
}

std::uint32_t X11KeyboardOutput::GetForegroundLockTimeout()
{
    return lockTimeout_;
}

void X11KeyboardOutput::SetForegroundLockTimeout(std::uint32_t milliseconds)
{
    lockTimeout_ = milliseconds;
}

void X11KeyboardOutput::MessageBeep(std::uint32_t)
{
    if (!display_)
        return;
    XBell(display_, 0);
    XFlush(display_);
}

std::vector<int> X11KeyboardOutput::LentKeycodes() const
{
    std::vector<int> keycodes;
    for (const LentKeycode& lent : lent_)
        keycodes.push_back(lent.keycode);
    return keycodes;
}
