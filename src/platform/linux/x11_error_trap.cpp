#include "platform/linux/x11_error_trap.h"

#include <X11/Xlib.h>

namespace {

X11ErrorTrap* innermostTrap = nullptr;
XErrorHandler handlerBeforeTraps = nullptr;

int CatchError(Display* display, XErrorEvent* error)
{
    if (X11ErrorTrap::Claim(display, error->serial))
        return 0;
    return handlerBeforeTraps ? handlerBeforeTraps(display, error) : 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display)
    : display_(display), firstRequest_(NextRequest(display)), outer_(innermostTrap)
{
    if (!outer_)
        handlerBeforeTraps = XSetErrorHandler(CatchError);
    innermostTrap = this;
}

X11ErrorTrap::~X11ErrorTrap()
{
    WaitForAnswers();
    innermostTrap = outer_;
    if (!outer_)
        XSetErrorHandler(handlerBeforeTraps);
}

bool X11ErrorTrap::Failed()
{
    WaitForAnswers();
    return errors_ != 0;
}

void X11ErrorTrap::WaitForAnswers()
{
    if (LastKnownRequestProcessed(display_) + 1 != NextRequest(display_))
        XSync(display_, False);
}

bool X11ErrorTrap::Claim(Display* display, unsigned long request)
{
    for (X11ErrorTrap* trap = innermostTrap; trap; trap = trap->outer_)
        if (trap->display_ == display && request >= trap->firstRequest_) {
            ++trap->errors_;
            return true;
        }
    return false;
}
