#include "platform/linux/x11_error_trap.h"

#include <X11/Xlib.h>

namespace {

// Xlib's error handler is process-wide; traps do not nest across threads (there is one UI thread).
int trappedErrors = 0;

int CountError(Display*, XErrorEvent*)
{
    ++trappedErrors;
    return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display)
{
    XSync(display_, False);
    trappedErrors = 0;
    previous_ = reinterpret_cast<int (*)(Display*, void*)>(XSetErrorHandler(CountError));
}

X11ErrorTrap::~X11ErrorTrap()
{
    XSync(display_, False);
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_));
}

bool X11ErrorTrap::Failed()
{
    XSync(display_, False);
    return trappedErrors != 0;
}
