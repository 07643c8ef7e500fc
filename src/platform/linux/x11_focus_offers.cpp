#include "platform/linux/x11_focus_offers.h"

#include <X11/Xlib.h>
#include <xcb/xcb.h>

X11FocusOffers::X11FocusOffers(Display* display)
    : display_(display), protocolsAtom_(XInternAtom(display, "WM_PROTOCOLS", False)),
      takeFocusAtom_(XInternAtom(display, "WM_TAKE_FOCUS", False))
{
}

void X11FocusOffers::OnSystemEvent(std::string_view eventType, const void* event, WindowHandle window,
                                   const WindowArea& declineArea)
{
    if (eventType != "xcb_generic_event_t")
        return;
    if ((static_cast<const xcb_generic_event_t*>(event)->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
        return;
    const auto* offer = static_cast<const xcb_client_message_event_t*>(event);
    if (offer->format != 32 || offer->window != window || offer->type != protocolsAtom_ ||
        offer->data.data32[0] != takeFocusAtom_)
        return;
    if (!PointerIn(window, declineArea)) {
        XSetInputFocus(display_, offer->window, RevertToParent, offer->data.data32[1]);
        XFlush(display_);
    }
}

// The offer may arrive after a quick click has ended, so the pointer resting on
// the area is enough to decline it.
bool X11FocusOffers::PointerIn(WindowHandle window, const WindowArea& area) const
{
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int buttons = 0;
    XQueryPointer(display_, static_cast<Window>(window), &root, &child, &rootX, &rootY, &x, &y, &buttons);
    return area.Contains(x, y);
}
