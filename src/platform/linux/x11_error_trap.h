#pragma once

struct _XDisplay;

// Catches the X protocol errors of the requests made while it lives, instead of
// letting Xlib end the process (a window may vanish between two requests).
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(_XDisplay* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits for the server to answer every request so far; true when one failed.
    bool Failed();

private:
    _XDisplay* display_;
    int (*previous_)(_XDisplay*, void*);
};
