#pragma once

#include "platform/keyboard_output.h"

#include <map>
#include <string>
#include <vector>

// A keyboard output that writes down every call that reaches the system.
class RecordingOutput : public KeyboardOutput {
public:
    std::vector<std::string> calls;
    // Scan codes by virtual key; others get the virtual key's low byte plus 1.
    std::map<std::uint32_t, std::uint32_t> scanCodes;
    // Scan codes of the keys typing AltGr symbols by virtual key; others have none.
    std::map<std::uint32_t, std::uint32_t> altGrScanCodes;
    WindowHandle foreground = 0;
    std::uint32_t lockTimeout = 200000;

    std::uint32_t MapKeyCode(std::uint32_t code, KeyMapping mapping) override
    {
        if (mapping == KeyMapping::VirtualKeyToAltGrScanCode) {
            const auto found = altGrScanCodes.find(code);
            return found != altGrScanCodes.end() ? found->second : 0;
        }
        const auto found = scanCodes.find(code);
        return found != scanCodes.end() ? found->second : (code & 0xFF) + 1;
    }
    void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override
    {
        calls.push_back("key " + std::to_string(virtualKey) + " " + std::to_string(scanCode) + " " +
                        std::to_string(flags));
    }
    void FlushKeyEvents() override { calls.push_back("flush"); }
    WindowHandle GetForegroundWindow() override { return foreground; }
    bool SetForegroundWindow(WindowHandle window) override
    {
        calls.push_back("front " + std::to_string(window));
        return true;
    }
    std::uint32_t GetForegroundLockTimeout() override
    {
        calls.push_back("get timeout");
        return lockTimeout;
    }
    void SetForegroundLockTimeout(std::uint32_t milliseconds) override
    {
        calls.push_back("set timeout " + std::to_string(milliseconds));
        lockTimeout = milliseconds;
    }
    void MessageBeep(std::uint32_t type) override { calls.push_back("beep " + std::to_string(type)); }
};
