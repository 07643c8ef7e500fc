#include "platform/linux/x11_display.h"

#include <X11/Xlib.h>

void X11DisplayCloser::operator()(Display* display) const
{
    if (display)
        XCloseDisplay(display);
}

X11DisplayHandle OpenX11Display(const std::string& name)
{
    return X11DisplayHandle(XOpenDisplay(name.empty() ? nullptr : name.c_str()));
}

Display* SharedX11Display()
{
    static const X11DisplayHandle shared = OpenX11Display();
    return shared.get();
}
