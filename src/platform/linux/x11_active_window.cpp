#include "platform/linux/x11_active_window.h"

#include "platform/linux/x11_error_trap.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <optional>
#include <thread>
#include <vector>

namespace {

Atom AtomNamed(Display* display, const char* name)
{
    return XInternAtom(display, name, False);
}

// The values of a 32-bit property; nullopt when the window has no such property.
std::optional<std::vector<unsigned long>> ReadProperty(Display* display, Window window, Atom property, Atom type)
{
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    X11ErrorTrap trap(display);
    const int status = XGetWindowProperty(display, window, property, 0, 64, False, type, &actualType, &actualFormat,
                                          &count, &remaining, &data);
    if (status != Success || trap.Failed() || actualType == None) {
        if (data)
            XFree(data);
        return std::nullopt;
    }
    std::vector<unsigned long> values;
    if (actualFormat == 32 && data) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    XFree(data);
    return values;
}

// The ancestor of window that is a child of the root window; 0 when there is none.
Window TopLevelOf(Display* display, Window window)
{
    X11ErrorTrap trap(display);
    const Window root = DefaultRootWindow(display);
    while (window != 0 && window != root) {
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int childCount = 0;
        if (!XQueryTree(display, window, &rootReturn, &parent, &children, &childCount))
            return 0;
        if (children)
            XFree(children);
        if (parent == root)
            return window;
        window = parent;
    }
    return 0;
}

Window TopLevelUnderPointer(Display* display)
{
    Window root = 0;
    Window child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask);
    return child;
}

bool IsDesktopOrDock(Display* display, Window window)
{
    const auto types = ReadProperty(display, window, AtomNamed(display, "_NET_WM_WINDOW_TYPE"), XA_ATOM);
    if (!types)
        return false;
    const Atom desktop = AtomNamed(display, "_NET_WM_WINDOW_TYPE_DESKTOP");
    const Atom dock = AtomNamed(display, "_NET_WM_WINDOW_TYPE_DOCK");
    for (const unsigned long type : *types)
        if (type == desktop || type == dock)
            return true;
    return false;
}

// The manager's check window names itself; a manager that has gone leaves the
// root window's property behind, naming a window that no longer exists.
bool WindowManagerRuns(Display* display)
{
    const Atom checkAtom = AtomNamed(display, "_NET_SUPPORTING_WM_CHECK");
    const auto check = ReadProperty(display, DefaultRootWindow(display), checkAtom, XA_WINDOW);
    if (!check || check->empty() || (*check)[0] == 0)
        return false;
    const auto itself = ReadProperty(display, (*check)[0], checkAtom, XA_WINDOW);
    return itself && !itself->empty() && (*itself)[0] == (*check)[0];
}

// The window named by _NET_ACTIVE_WINDOW; nullopt when no window manager publishes it.
std::optional<Window> ManagerActiveWindow(Display* display)
{
    const auto values =
        ReadProperty(display, DefaultRootWindow(display), AtomNamed(display, "_NET_ACTIVE_WINDOW"), XA_WINDOW);
    if (!values)
        return std::nullopt;
    return values->empty() ? Window(0) : Window((*values)[0]);
}

// The window holding the input focus; None while keys go to the window under the pointer.
Window FocusHolder(Display* display)
{
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    return focus == PointerRoot || focus == DefaultRootWindow(display) ? None : focus;
}

struct ActiveLookup {
    Window window = 0;
    // The window under the pointer, which every pointer move may change.
    bool underPointer = false;
};

// Without a window manager nobody moves the focus when the user clicks a window:
// once the focused window has closed, the focus stays on the root window (or on
// none), where keys go to the window under the pointer. The window the user points
// at is then the one to type into, as it is while the focus follows the pointer.
ActiveLookup LookUpActive(Display* display)
{
    ActiveLookup found;
    const std::optional<Window> managed = WindowManagerRuns(display) ? ManagerActiveWindow(display) : std::nullopt;
    if (managed) {
        found.window = *managed;
    } else if (const Window focus = FocusHolder(display); focus != None) {
        found.window = TopLevelOf(display, focus);
    } else {
        found = {TopLevelUnderPointer(display), true};
    }
    if (found.window == DefaultRootWindow(display) || (found.window != 0 && IsDesktopOrDock(display, found.window)))
        found.window = 0;
    return found;
}

void RequestActivation(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = AtomNamed(display, "_NET_ACTIVE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // a request on the user's behalf, as from a pager
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

} // namespace

WindowHandle ActiveTopLevel(Display* display)
{
    return display ? LookUpActive(display).window : 0;
}

ActiveWindowCache::ActiveWindowCache(Display* display) : display_(display)
{
    if (!display_)
        return;
    activeAtom_ = AtomNamed(display_, "_NET_ACTIVE_WINDOW");
    managerAtom_ = AtomNamed(display_, "_NET_SUPPORTING_WM_CHECK");
    const Window root = DefaultRootWindow(display_);
    XSelectInput(display_, root, PropertyChangeMask | FocusChangeMask | SubstructureNotifyMask);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int childCount = 0;
    X11ErrorTrap trap(display_); // a window may go while it is watched
    if (XQueryTree(display_, root, &rootReturn, &parent, &children, &childCount)) {
        for (unsigned int i = 0; i < childCount; ++i)
            XSelectInput(display_, children[i], FocusChangeMask);
        XFree(children);
    }
}

void ActiveWindowCache::Notice(const XEvent& event)
{
    switch (event.type) {
    case PropertyNotify:
        if (event.xproperty.atom == activeAtom_ || event.xproperty.atom == managerAtom_)
            known_ = false;
        break;
    case CreateNotify:
        if (event.xcreatewindow.parent == DefaultRootWindow(display_)) {
            X11ErrorTrap trap(display_);
            XSelectInput(display_, event.xcreatewindow.window, FocusChangeMask);
        }
        known_ = false;
        break;
    case FocusIn:
    case FocusOut:
    case MapNotify:
    case UnmapNotify:
    case DestroyNotify:
    case ReparentNotify: known_ = false; break;
    default: break;
    }
}

WindowHandle ActiveWindowCache::Current()
{
    if (known_ || !display_)
        return active_;
    const ActiveLookup found = LookUpActive(display_);
    active_ = found.window;
    // While keys go to the window under the pointer, that window is looked up
    // at every call: pointer moves are not watched.
    known_ = !found.underPointer;
    return active_;
}

bool ActivateTopLevel(Display* display, WindowHandle window, std::chrono::milliseconds limit)
{
    if (!display || window == 0)
        return false;
    if (WindowManagerRuns(display)) {
        RequestActivation(display, window);
    } else {
        X11ErrorTrap trap(display);
        XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
        if (trap.Failed())
            return false;
    }
    // The window manager answers in its own time; keystrokes sent before it has
    // moved the focus would go to the previous window.
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (ActiveTopLevel(display) != window) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
