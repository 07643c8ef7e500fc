// A tiny X client for the end-to-end tests: one window named "keylog" that
// writes each key event it receives as a line on standard output:
//   press <keysym name> state=<modifier bits> text=<UTF-8 text>
//   release <keysym name> state=<modifier bits>
// The first line is "window <id>"; "focus in" / "focus out" report the focus.
// With "--close <id>" it instead asks window id to close, as a window manager's
// close button does, and ends.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Utf8OfLatin1(const char* bytes, int length)
{
    std::string text;
    for (int i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

void LogKey(XKeyEvent& event)
{
    char bytes[32] = {};
    KeySym keysym = NoSymbol;
    const int length = XLookupString(&event, bytes, sizeof bytes, &keysym, nullptr);
    const char* name = keysym != NoSymbol ? XKeysymToString(keysym) : nullptr;
    if (event.type == KeyPress)
        std::printf("press %s state=%u text=%s\n", name ? name : "NoSymbol", event.state,
                    Utf8OfLatin1(bytes, length).c_str());
    else
        std::printf("release %s state=%u\n", name ? name : "NoSymbol", event.state);
    std::fflush(stdout);
}

// Left to itself, Xlib reads the keymap at the first key lookup and only then asks
// to hear of changes, with that request waiting in its output buffer until the event
// queue runs dry; a keycode remapped in between is translated with the stale copy for
// good. So ask first, read the keymap, and make sure both reached the server before
// the window can receive keys. Returns the XKB event code, or -1 without XKB.
int FollowKeymapChanges(Display* display)
{
    int opcode = 0, eventBase = 0, errorBase = 0;
    int major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &eventBase, &errorBase, &major, &minor))
        return -1;
    XkbSelectEventDetails(display, XkbUseCoreKbd, XkbMapNotify, XkbAllClientInfoMask, XkbAllClientInfoMask);
    XSync(display, False);
    int minKeycode = 0, maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    XkbKeycodeToKeysym(display, static_cast<KeyCode>(minKeycode), 0, 0);
    XSync(display, False);
    return eventBase;
}

void TakeKeymapChange(XEvent& event, int xkbEvent)
{
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    auto& xkb = reinterpret_cast<XkbEvent&>(event);
    if (event.type == xkbEvent && xkb.any.xkb_type == XkbMapNotify)
        XkbRefreshKeyboardMapping(&xkb.map);
}

int SendCloseRequest(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "key_logger: cannot open the display\n");
        return 1;
    }
    if (argc == 3 && std::string(argv[1]) == "--close") {
        const int status = SendCloseRequest(display, std::strtoul(argv[2], nullptr, 0));
        XCloseDisplay(display);
        return status;
    }
    const int xkbEvent = FollowKeymapChanges(display);
    const int x = argc > 1 ? std::atoi(argv[1]) : 0;
    const int y = argc > 2 ? std::atoi(argv[2]) : 400;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, 400, 200, 1,
                                              BlackPixel(display, 0), WhitePixel(display, 0));
    XStoreName(display, window, "keylog");
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(display, window, &hints);
    XSelectInput(display, window, KeyPressMask | KeyReleaseMask | FocusChangeMask);
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("window %lu\n", window);
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == KeyPress || event.type == KeyRelease)
            LogKey(event.xkey);
        else if (event.type == FocusIn || event.type == FocusOut) {
            std::printf("focus %s\n", event.type == FocusIn ? "in" : "out");
            std::fflush(stdout);
        } else {
            TakeKeymapChange(event, xkbEvent);
        }
    }
}
