#pragma once

#include "platform/keyboard_output.h"

#include <chrono>

struct _XDisplay;
union _XEvent;

// The top-level window the user works in: the one the window manager names in
// _NET_ACTIVE_WINDOW, or without a window manager the top-level window holding
// the input focus (the one under the pointer while the focus follows the pointer
// or rests on the root window or on none). 0 for none, and never the root window,
// a desktop or a dock window.
WindowHandle ActiveTopLevel(_XDisplay* display);

// Asks for the window to become the active one (through the window manager when
// there is one, by setting the input focus otherwise) and waits at most limit
// until it is. Returns whether it is active. Callers ask the cache below first
// whether it is active already.
bool ActivateTopLevel(_XDisplay* display, WindowHandle window, std::chrono::milliseconds limit);

// The active top-level window as ActiveTopLevel finds it, kept between the events
// that may change it, so that asking costs no round trip to the X server while
// nothing changed: the root window's _NET_ACTIVE_WINDOW or _NET_SUPPORTING_WM_CHECK
// changing, the input focus moving (the root window and every top-level window are
// watched for it), a top-level window coming or going. While the focus follows the
// pointer the window is looked up at every call.
class ActiveWindowCache {
public:
    explicit ActiveWindowCache(_XDisplay* display);
    ActiveWindowCache(const ActiveWindowCache&) = delete;
    ActiveWindowCache& operator=(const ActiveWindowCache&) = delete;

    // Takes note of an event read from the display's queue.
    void Notice(const _XEvent& event);
    WindowHandle Current();

private:
    _XDisplay* display_;
    unsigned long activeAtom_ = 0;
    unsigned long managerAtom_ = 0;
    WindowHandle active_ = 0;
    bool known_ = false;
};
