#pragma once

#include "platform/keyboard_output.h"

#include <cstdint>
#include <string>
#include <vector>

// The desktop the program's windows live on: the other programs' top-level
// windows, the screen and the bell.

struct DesktopWindow {
    WindowHandle handle = 0;
    std::string title; // Windows-1252
};

struct ScreenMode {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitsPerPixel = 0;
    std::int32_t refreshRate = 0; // Hz; 0 when the system does not tell
};

// The buttons of a window's caption bar; they combine with "|".
enum CaptionButtons : std::uint32_t {
    CaptionSystemMenu = 1,
    CaptionMinimize = 2,
    CaptionClose = 4,
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Top-level windows in the system's order.
    virtual std::vector<DesktopWindow> TopLevelWindows() = 0;
    // Nothing known (all zero) when there is no screen.
    virtual ScreenMode CurrentScreenMode() = 0;
    // Sounds the system's beep for a message type (0: the default beep).
    virtual void Beep(std::uint32_t type) = 0;
    // Asks the system to give the window a caption with these buttons and no
    // others: it can be moved but not resized or maximised. Takes effect when
    // the window is next shown.
    virtual void SetCaptionButtons(WindowHandle window, std::uint32_t buttons) = 0;
    // The top left corner of the window's frame on the screen as the window
    // manager reports the frame, the window's own corner when it has none; false
    // when the system cannot tell.
    virtual bool FrameOrigin(WindowHandle window, std::int32_t& left, std::int32_t& top) = 0;
};
