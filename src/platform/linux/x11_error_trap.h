#pragma once

struct _XDisplay;

// Catches the X protocol errors of the requests made while it lives, instead of
// letting Xlib end the process (a window may vanish between two requests).
// Errors of earlier requests still go to the handler that was there before.
// It waits for the server only when it must: a request with a reply has already
// brought the errors of every request before it.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(_XDisplay* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Whether a request made so far under the trap failed.
    bool Failed();

    // Counts an error against the innermost trap that covers its request; false
    // when no trap does. For the error handler.
    static bool Claim(_XDisplay* display, unsigned long request);

private:
    // Waits for the server's answer to the requests it has not answered yet.
    void WaitForAnswers();

    _XDisplay* display_;
    unsigned long firstRequest_;
    int errors_ = 0;
    X11ErrorTrap* outer_; // traps nest, on the one UI thread
};
