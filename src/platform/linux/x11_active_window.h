#pragma once

#include "platform/keyboard_output.h"

#include <chrono>

struct _XDisplay;

// The top-level window the user works in: the one the window manager names in
// _NET_ACTIVE_WINDOW, or without a window manager the top-level window holding
// the input focus (the one under the pointer while the focus follows the pointer
// or rests on the root window or on none). 0 for none, and never the root window,
// a desktop or a dock window.
WindowHandle ActiveTopLevel(_XDisplay* display);

// Asks for the window to become the active one (through the window manager when
// there is one, by setting the input focus otherwise) and waits at most limit
// until it is. Returns whether it is active.
bool ActivateTopLevel(_XDisplay* display, WindowHandle window, std::chrono::milliseconds limit);
