#pragma once

#include "platform/focus_offers.h"

struct _XDisplay;

// The window manager offers the focus with WM_TAKE_FOCUS, which reaches the
// program through the toolkit's xcb connection; the focus is then set through
// the shared Xlib connection.
class X11FocusOffers : public FocusOffers {
public:
    explicit X11FocusOffers(_XDisplay* display);

    void OnSystemEvent(std::string_view eventType, const void* event, WindowHandle window,
                       const WindowArea& declineArea) override;

private:
    bool PointerIn(WindowHandle window, const WindowArea& area) const;

    _XDisplay* display_;
    unsigned long protocolsAtom_;
    unsigned long takeFocusAtom_;
};
