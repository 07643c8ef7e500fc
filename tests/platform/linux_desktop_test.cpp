#include "platform/linux/linux_desktop.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace {

// A virtual X display of its own, on the first display number that is free.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        for (int number = 90; number < 100 && !display_; ++number) {
            const std::string name = ":" + std::to_string(number);
            if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)))
                continue;
            server_ = fork();
            if (server_ == 0) {
                execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                       static_cast<char*>(nullptr));
                _exit(127);
            }
            for (int wait = 0; wait < 100 && !display_ && waitpid(server_, nullptr, WNOHANG) == 0; ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                display_ = XOpenDisplay(name.c_str());
            }
            if (!display_)
                Stop();
        }
    }
    ~VirtualDisplay()
    {
        if (display_)
            XCloseDisplay(display_);
        Stop();
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    Display* Get() const { return display_; }

private:
    void Stop()
    {
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
        server_ = -1;
    }

    pid_t server_ = -1;
    Display* display_ = nullptr;
};

Window TitledWindow(Display* display, const std::string& utf8Title, const char* latin1Title)
{
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
    if (!utf8Title.empty())
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                        XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(utf8Title.data()), static_cast<int>(utf8Title.size()));
    if (latin1Title)
        XStoreName(display, window, latin1Title);
    XMapWindow(display, window);
    return window;
}

} // namespace

TEST(LinuxDesktop, ListsTopLevelWindowsWithTheirTitlesAndTellsTheScreen)
{
    VirtualDisplay x;
    ASSERT_TRUE(x.Get()) << "Xvfb could not be started";
    const Window first = TitledWindow(x.Get(),
                                      "Tapsodia \xE2\x80\x93 \xC3\x9C"
                                      "bung",
                                      "alt");
    const Window second = TitledWindow(x.Get(), "",
                                       "Gr\xFC\xDF"
                                       "e");
    XSync(x.Get(), False);

    LinuxDesktop desktop(x.Get());
    const std::vector<DesktopWindow> windows = desktop.TopLevelWindows();
    auto titleOf = [&](Window window) {
        const auto found =
            std::find_if(windows.begin(), windows.end(), [&](const DesktopWindow& w) { return w.handle == window; });
        return found == windows.end() ? std::string("(none)") : found->title;
    };
    EXPECT_EQ(titleOf(first), "Tapsodia \x96 \xDC"
                              "bung"); // Windows-1252
    EXPECT_EQ(titleOf(second), "Gr\xFC\xDF"
                               "e");

    const ScreenMode mode = desktop.CurrentScreenMode();
    EXPECT_EQ(mode.width, 1024);
    EXPECT_EQ(mode.height, 768);
    EXPECT_EQ(mode.bitsPerPixel, 32); // depth 24 is stored in 32 bits
    EXPECT_GE(mode.refreshRate, 0);
    desktop.Beep(0);
}

// Under a window manager the top-level windows are its frames; the client list
// names the program windows inside them.
TEST(LinuxDesktop, AskTheWindowManagerForItsClients)
{
    VirtualDisplay x;
    ASSERT_TRUE(x.Get()) << "Xvfb could not be started";
    const std::string displayName = DisplayString(x.Get());
    const pid_t manager = fork();
    if (manager == 0) {
        setenv("DISPLAY", displayName.c_str(), 1);
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    // The manager has taken over once it has named its check window.
    const Atom check = XInternAtom(x.Get(), "_NET_SUPPORTING_WM_CHECK", False);
    auto managerReady = [&] {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(x.Get(), DefaultRootWindow(x.Get()), check, 0, 1, False, AnyPropertyType, &type, &format,
                           &count, &remaining, &data);
        if (data)
            XFree(data);
        return count > 0;
    };
    for (int wait = 0; wait < 100 && !managerReady(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(managerReady()) << "openbox did not start";

    const Window window = TitledWindow(x.Get(), "Tapsodia", nullptr);
    LinuxDesktop desktop(x.Get());
    std::vector<DesktopWindow> windows;
    for (int wait = 1; wait <= 100 && windows.size() != 1; ++wait) {
        if (wait % 20 == 0) { // a window mapped while the manager still started up is asked for again
            XUnmapWindow(x.Get(), window);
            XMapWindow(x.Get(), window);
        }
        XSync(x.Get(), False);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        windows = desktop.TopLevelWindows();
    }
    kill(manager, SIGTERM);
    waitpid(manager, nullptr, 0);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].handle, window);
    EXPECT_EQ(windows[0].title, "Tapsodia");
}

TEST(LinuxDesktop, WithoutADisplayThereIsNothing)
{
    LinuxDesktop desktop(nullptr);
    EXPECT_TRUE(desktop.TopLevelWindows().empty());
    EXPECT_EQ(desktop.CurrentScreenMode().width, 0);
    desktop.Beep(0);
}
