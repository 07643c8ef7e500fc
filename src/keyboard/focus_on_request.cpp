#include "keyboard/focus_on_request.h"

#include "platform/linux/x11_display.h"

#include <QCoreApplication>
#include <QWidget>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace {

Atom AtomNamed(const char* name)
{
    return XInternAtom(SharedX11Display(), name, False);
}

}  // namespace

FocusOnRequest::FocusOnRequest(QWidget& window) : window_(window)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

FocusOnRequest::~FocusOnRequest()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool FocusOnRequest::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    Display* display = SharedX11Display();
    if (eventType != "xcb_generic_event_t" || !display)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* offer = static_cast<const xcb_client_message_event_t*>(message);
    if (offer->format != 32 || offer->window != window_.internalWinId() ||
        offer->type != AtomNamed("WM_PROTOCOLS") || offer->data.data32[0] != AtomNamed("WM_TAKE_FOCUS"))
        return false;
    if (!PointerOnPicture()) {
        XSetInputFocus(display, offer->window, RevertToParent, offer->data.data32[1]);
        XFlush(display);
    }
    return false;
}

// The offer may arrive after a quick click has ended, so the pointer resting on the
// picture is enough to decline it; the caption bar lies outside the picture.
bool FocusOnRequest::PointerOnPicture() const
{
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int buttons = 0;
    XQueryPointer(SharedX11Display(), window_.internalWinId(), &root, &child, &rootX, &rootY, &x, &y, &buttons);
    return window_.rect().contains(x, y);
}
