#pragma once

#include "platform/desktop.h"

struct _XDisplay;

// The X11 desktop: the window manager's client list (_NET_CLIENT_LIST, or the
// root window's children without a manager) with their titles (_NET_WM_NAME,
// else WM_NAME), the screen through XRandR, and the display's bell. Without a
// display there are no windows, no screen and no sound.
class LinuxDesktop final : public Desktop {
public:
    explicit LinuxDesktop(_XDisplay* display);

    std::vector<DesktopWindow> TopLevelWindows() override;
    ScreenMode CurrentScreenMode() override;
    void Beep(std::uint32_t type) override;
    // Through the window's Motif hints, which window managers read for the
    // decorations and functions they offer.
    void SetCaptionButtons(WindowHandle window, std::uint32_t buttons) override;
    // The client area's place less the frame's left and top in _NET_FRAME_EXTENTS:
    // managers differ in whether a frame's X border counts, and the extents are
    // what they place a frame by.
    bool FrameOrigin(WindowHandle window, std::int32_t& left, std::int32_t& top) override;

private:
    _XDisplay* display_;
};
