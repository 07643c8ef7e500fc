// The X error trap against a real X server: which errors it catches, and how
// many round trips it costs.

#include "e2e_session.h"
#include "platform/linux/x11_display.h"
#include "platform/linux/x11_error_trap.h"

#include <gtest/gtest.h>

// Last: Xlib's macros would clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

int errorsBeforeTraps = 0;

int CountError(Display*, XErrorEvent*)
{
    ++errorsBeforeTraps;
    return 0;
}

class X11ErrorTrapTest : public ::testing::Test {
protected:
    E2eSession session{false};
    X11DisplayHandle connection = OpenX11Display(session.Display());
    Display* display = connection.get();
    Window gone = 0;

    void SetUp() override
    {
        ASSERT_TRUE(display);
        gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
        XDestroyWindow(display, gone);
        XSync(display, False);
        errorsBeforeTraps = 0;
        XSetErrorHandler(CountError);
    }

    void TearDown() override { XSetErrorHandler(nullptr); }

    bool ReadPropertyOf(Window window)
    {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        const int status = XGetWindowProperty(display, window, XA_WM_NAME, 0, 1, False, AnyPropertyType, &type, &format,
                                              &count, &remaining, &data);
        if (data)
            XFree(data);
        return status == Success;
    }

    // Requests sent from here on; a wait for the server is one more.
    unsigned long RequestsSince(unsigned long start) const { return NextRequest(display) - start; }
};

TEST_F(X11ErrorTrapTest, ARequestWithAReplyBringsItsErrorWithoutAWait)
{
    X11ErrorTrap trap(display);
    const unsigned long start = NextRequest(display);
    EXPECT_FALSE(ReadPropertyOf(gone));
    EXPECT_TRUE(trap.Failed());
    EXPECT_EQ(RequestsSince(start), 1u);
    EXPECT_TRUE(ReadPropertyOf(DefaultRootWindow(display)));
    EXPECT_EQ(RequestsSince(start), 2u);
}

TEST_F(X11ErrorTrapTest, RequestsWithoutAReplyCostOneWaitInAll)
{
    const unsigned long start = NextRequest(display);
    {
        X11ErrorTrap trap(display);
        XSelectInput(display, gone, PropertyChangeMask);
        XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
        EXPECT_TRUE(trap.Failed());
    }
    EXPECT_EQ(RequestsSince(start), 3u);
    {
        X11ErrorTrap trap(display); // never asked: it still waits before it goes
        XSelectInput(display, gone, PropertyChangeMask);
    }
    EXPECT_EQ(RequestsSince(start), 5u);
    EXPECT_EQ(errorsBeforeTraps, 0);
}

TEST_F(X11ErrorTrapTest, ErrorsOfEarlierRequestsGoToTheHandlerBefore)
{
    XSelectInput(display, gone, PropertyChangeMask);
    {
        X11ErrorTrap outer(display);
        EXPECT_TRUE(ReadPropertyOf(DefaultRootWindow(display)));
        EXPECT_EQ(errorsBeforeTraps, 1);
        XSelectInput(display, gone, PropertyChangeMask);
        {
            X11ErrorTrap inner(display);
            EXPECT_FALSE(ReadPropertyOf(gone));
            EXPECT_TRUE(inner.Failed());
        }
        EXPECT_TRUE(outer.Failed()); // its own request, not the inner trap's
    }
    {
        X11ErrorTrap clean(display);
        EXPECT_TRUE(ReadPropertyOf(DefaultRootWindow(display)));
        EXPECT_FALSE(clean.Failed());
    }
    EXPECT_EQ(errorsBeforeTraps, 1);
    EXPECT_EQ(XSetErrorHandler(nullptr), CountError); // given back
    XSelectInput(display, gone, PropertyChangeMask);
    XSetErrorHandler(CountError);
    XSync(display, False);
    EXPECT_EQ(errorsBeforeTraps, 2);
}

} // namespace
