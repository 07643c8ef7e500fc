#include "platform/linux/linux_desktop.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace {

// A virtual X display of its own, on a display number the server picks.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return;
        server_ = fork();
        if (server_ == 0) {
            // A descriptor number of its own, clear of the pipe's two ends.
            close(pipeEnds[0]);
            dup2(pipeEnds[1], 9);
            execlp("Xvfb", "Xvfb", "-displayfd", "9", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeEnds[1]);
        char number[16] = {};
        const ssize_t n = read(pipeEnds[0], number, sizeof number - 1);
        close(pipeEnds[0]);
        if (n > 0)
            display_ = XOpenDisplay((":" + std::string(number, static_cast<std::size_t>(n - 1))).c_str());
    }
    ~VirtualDisplay()
    {
        if (display_)
            XCloseDisplay(display_);
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    Display* Get() const { return display_; }

private:
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
    const Window first = TitledWindow(x.Get(), "Tapsodia \xE2\x80\x93 \xC3\x9C" "bung", "alt");
    const Window second = TitledWindow(x.Get(), "", "Gr\xFC\xDF" "e");
    XSync(x.Get(), False);

    LinuxDesktop desktop(x.Get());
    const std::vector<DesktopWindow> windows = desktop.TopLevelWindows();
    auto titleOf = [&](Window window) {
        const auto found = std::find_if(windows.begin(), windows.end(),
                                        [&](const DesktopWindow& w) { return w.handle == window; });
        return found == windows.end() ? std::string("(none)") : found->title;
    };
    EXPECT_EQ(titleOf(first), "Tapsodia \x96 \xDC" "bung"); // Windows-1252
    EXPECT_EQ(titleOf(second), "Gr\xFC\xDF" "e");

    const ScreenMode mode = desktop.CurrentScreenMode();
    EXPECT_EQ(mode.width, 1024);
    EXPECT_EQ(mode.height, 768);
    EXPECT_EQ(mode.bitsPerPixel, 32); // depth 24 is stored in 32 bits
    EXPECT_GE(mode.refreshRate, 0);
    desktop.Beep(0);
}

TEST(LinuxDesktop, WithoutADisplayThereIsNothing)
{
    LinuxDesktop desktop(nullptr);
    EXPECT_TRUE(desktop.TopLevelWindows().empty());
    EXPECT_EQ(desktop.CurrentScreenMode().width, 0);
    desktop.Beep(0);
}
