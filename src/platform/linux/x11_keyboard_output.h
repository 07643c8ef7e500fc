#pragma once

#include "platform/keyboard_output.h"

#include <chrono>
#include <map>
#include <memory>
#include <vector>

struct _XDisplay;
class ActiveWindowCache;
class X11Keymap;

// Key events through the XTEST extension. A virtual key stands for the symbols of
// the German keyboard (x11_german_keys.h); its scan code is the keycode of the
// running keymap that carries those symbols. A symbol the keymap lacks is put on
// a spare keycode (a key of the XKB keymap without symbols and no modifier) for as
// long as it is needed, and the keycode is given back a moment after its key went
// up, and when this object goes.
class X11KeyboardOutput final : public KeyboardOutput {
public:
    explicit X11KeyboardOutput(_XDisplay* display);
    ~X11KeyboardOutput() override;
    X11KeyboardOutput(const X11KeyboardOutput&) = delete;
    X11KeyboardOutput& operator=(const X11KeyboardOutput&) = delete;

    std::uint32_t MapKeyCode(std::uint32_t code, KeyMapping mapping) override;
    void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
    void FlushKeyEvents() override;
    WindowHandle GetForegroundWindow() override;
    bool SetForegroundWindow(WindowHandle window) override;
    std::uint32_t GetForegroundLockTimeout() override;
    void SetForegroundLockTimeout(std::uint32_t milliseconds) override;
    void MessageBeep(std::uint32_t type) override;

    // Keycodes currently lent to symbols the keymap lacks.
    std::vector<int> LentKeycodes() const;

    // How long a lent keycode stays mapped after its key went up: clients translate
    // a key event with the keymap they know when they read it, so giving the keycode
    // back at once could turn a just-sent key into nothing. A symbol typed again
    // within that time finds its keycode still lent and changes no mapping: GTK
    // programs, which fetch the keymap anew after each change, lost keys typed
    // quickly through keycodes given back and lent again a second later.
    static constexpr std::chrono::milliseconds kLendTime{5000};
    // How long to wait for the window manager to activate the target.
    static constexpr std::chrono::milliseconds kActivationLimit{300};

private:
    struct LentKeycode {
        int keycode = 0;
        bool down = false;
        std::chrono::steady_clock::time_point releasedAt{};
    };

    void ReadEvents();
    const X11Keymap& Keymap();
    int KeycodeOfSymbols(unsigned long plain, unsigned long shifted);
    int LendKeycode(unsigned long plain, unsigned long shifted);
    int RestedSpareKeycode();
    int TakeBackOldestLoan();
    void GiveBack(const LentKeycode& lent);
    void GiveBackIdleKeycodes();

    _XDisplay* display_;
    std::unique_ptr<ActiveWindowCache> activeWindow_;
    std::unique_ptr<X11Keymap> keymap_;
    int xkbEventBase_ = -1; // the XKB extension's event code, -1 without it
    std::vector<LentKeycode> lent_;
    std::map<int, std::chrono::steady_clock::time_point> givenBackAt_;
    std::uint32_t lockTimeout_ = 200000;
};
