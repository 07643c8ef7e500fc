#include "platform/linux/linux_desktop.h"

#include "platform/ansi_utf8.h"
#include "platform/linux/x11_error_trap.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <optional>

namespace {

// A window property listing windows (XLib gives its 32-bit items as longs);
// nothing when the window has no such property.
std::optional<std::vector<Window>> WindowListProperty(Display* display, Window window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::optional<std::vector<Window>> windows;
    if (XGetWindowProperty(display, window, property, 0, 65536, False, XA_WINDOW, &type, &format, &count, &remaining,
                           &data) == Success &&
        type == XA_WINDOW && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        windows.emplace(items, items + count);
    }
    if (data)
        XFree(data);
    return windows;
}

std::vector<Window> RootChildren(Display* display)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> windows;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) && children)
        windows.assign(children, children + count);
    if (children)
        XFree(children);
    return windows;
}

std::string WindowTitle(Display* display, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1000, False, utf8, &type, &format, &count, &remaining, &data) ==
            Success &&
        data && type == utf8 && format == 8)
        title = Utf8ToAnsi(std::string(reinterpret_cast<const char*>(data), count));
    if (data)
        XFree(data);
    if (!title.empty())
        return title;
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = name; // WM_NAME is Latin-1, which Windows-1252 holds
        XFree(name);
    }
    return title;
}

// Pixels of depth 24 are stored in 32 bits; the stored size is what the colour depth counts.
int BitsPerPixel(Display* display, int depth)
{
    int count = 0;
    int bits = depth;
    if (XPixmapFormatValues* formats = XListPixmapFormats(display, &count)) {
        for (int i = 0; i < count; ++i)
            if (formats[i].depth == depth)
                bits = formats[i].bits_per_pixel;
        XFree(formats);
    }
    return bits;
}

} // namespace

LinuxDesktop::LinuxDesktop(_XDisplay* display) : display_(display)
{
}

std::vector<DesktopWindow> LinuxDesktop::TopLevelWindows()
{
    std::vector<DesktopWindow> result;
    if (!display_)
        return result;
    X11ErrorTrap trap(display_); // a window may close while we read it
    const Atom clientList = XInternAtom(display_, "_NET_CLIENT_LIST", False);
    // Under a window manager the root's children are its frames; it names the
    // program windows in its client list.
    const std::vector<Window> windows =
        WindowListProperty(display_, DefaultRootWindow(display_), clientList).value_or(RootChildren(display_));
    for (const Window window : windows)
        result.push_back({static_cast<WindowHandle>(window), WindowTitle(display_, window)});
    return result;
}

ScreenMode LinuxDesktop::CurrentScreenMode()
{
    ScreenMode mode;
    if (!display_)
        return mode;
    const int screen = DefaultScreen(display_);
    mode.width = DisplayWidth(display_, screen);
    mode.height = DisplayHeight(display_, screen);
    mode.bitsPerPixel = BitsPerPixel(display_, DefaultDepth(display_, screen));
    int eventBase = 0;
    int errorBase = 0;
    if (XRRQueryExtension(display_, &eventBase, &errorBase)) {
        X11ErrorTrap trap(display_);
        if (XRRScreenConfiguration* config = XRRGetScreenInfo(display_, RootWindow(display_, screen))) {
            mode.refreshRate = XRRConfigCurrentRate(config);
            XRRFreeScreenConfigInfo(config);
        }
    }
    return mode;
}

void LinuxDesktop::Beep(std::uint32_t)
{
    if (!display_)
        return;
    XBell(display_, 0);
    XFlush(display_);
}

void LinuxDesktop::SetCaptionButtons(WindowHandle window, std::uint32_t buttons)
{
    if (!display_ || window == 0)
        return;
    // The Motif window manager hints: flags, functions, decorations, input mode, status.
    enum : unsigned long { kFunctions = 1, kDecorations = 2 };
    enum : unsigned long { kFunctionMove = 4, kFunctionMinimize = 8, kFunctionClose = 32 };
    enum : unsigned long { kBorder = 2, kTitle = 8, kMenu = 16, kMinimizeButton = 32 };
    long hints[5] = {kFunctions | kDecorations, kFunctionMove, kBorder | kTitle, 0, 0};
    if (buttons & CaptionSystemMenu)
        hints[2] |= kMenu;
    if (buttons & CaptionMinimize) {
        hints[1] |= kFunctionMinimize;
        hints[2] |= kMinimizeButton;
    }
    if (buttons & CaptionClose)
        hints[1] |= kFunctionClose;
    const Atom motifHints = XInternAtom(display_, "_MOTIF_WM_HINTS", False);
    X11ErrorTrap trap(display_);
    XChangeProperty(display_, static_cast<Window>(window), motifHints, motifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    // At the server before Qt, on a connection of its own, maps the window.
    XSync(display_, False);
}

bool LinuxDesktop::FrameOrigin(WindowHandle window, std::int32_t& left, std::int32_t& top)
{
    if (!display_ || window == 0)
        return false;
    X11ErrorTrap trap(display_);
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display_, static_cast<Window>(window), DefaultRootWindow(display_), 0, 0, &x, &y,
                               &child) ||
        trap.Failed())
        return false;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const Atom extents = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
    if (XGetWindowProperty(display_, static_cast<Window>(window), extents, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) == Success &&
        data && format == 32 && count == 4) {
        const auto* sides = reinterpret_cast<const unsigned long*>(data); // left, right, top, bottom
        x -= static_cast<int>(sides[0]);
        y -= static_cast<int>(sides[2]);
    }
    if (data)
        XFree(data);
    left = x;
    top = y;
    return !trap.Failed();
}
