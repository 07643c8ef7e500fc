#pragma once

#include "platform/keyboard_output.h"

#include <string_view>

// The keyboard window declines the focus (a click on a key must leave the target
// window, and any menu open in it, as they are), yet the user can still give it
// the focus on purpose, so that F1 reaches it. How the window system offers the
// focus is the system's business; the toolkit hands its events over here.

// A rectangle in a window's own coordinates.
struct WindowArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};

class FocusOffers {
public:
    virtual ~FocusOffers() = default;

    // One event of the window system as the toolkit received it: the toolkit's
    // name for its type and the event itself. When it offers window the focus,
    // the window takes it, unless the pointer rests on declineArea, where the
    // offer comes from a click.
    virtual void OnSystemEvent(std::string_view eventType, const void* event, WindowHandle window,
                               const WindowArea& declineArea) = 0;
};
