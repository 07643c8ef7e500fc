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

private:
    _XDisplay* display_;
};
