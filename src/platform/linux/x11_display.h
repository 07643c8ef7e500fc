#pragma once

#include <memory>
#include <string>

struct _XDisplay;

// One connection to the X server, opened on first use from $DISPLAY and kept for
// the life of the process. Null when no display can be opened.
_XDisplay* SharedX11Display();

// A connection of its own, closed when the handle goes.
struct X11DisplayCloser {
    void operator()(_XDisplay* display) const;
};
using X11DisplayHandle = std::unique_ptr<_XDisplay, X11DisplayCloser>;
X11DisplayHandle OpenX11Display(const std::string& name = {});
