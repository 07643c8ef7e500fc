// The keyboard program on a virtual display (no window manager), measured:
// start until its window is mapped, resident memory, CPU time while idle, and
// the time from a mouse release on a key to the key event at the target.
// Prints the figures; asserts nothing.

#include "e2e_session.h"
#include "keyboard/key_hit_test.h"
#include "layout/key_list.h"
#include "layout/layout_reader.h"
#include "platform/linux/x11_display.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

std::vector<std::string> DataLines(const std::string& name)
{
    std::istringstream text(ReadFile(fs::path(TAPSODY_SOURCE_DIR) / "data" / name));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
    return lines;
}

std::string WindowName(Display* display, Window window)
{
    char* name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) && name)
        result = name;
    XFree(name);
    return result;
}

// Waits for a top-level window named "Tapsody ..." to be mapped; returns it.
Window WaitForKeyboardMap(Display* display, std::chrono::milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && WindowName(display, event.xmap.window).starts_with("Tapsody"))
                return event.xmap.window;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return 0;
}

long ResidentKilobytes(int pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    return -1;
}

double CpuSeconds(int pid)
{
    std::istringstream stat(ReadFile("/proc/" + std::to_string(pid) + "/stat"));
    std::string field;
    long ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i)
        if (i == 14 || i == 15)
            ticks += std::stol(field);
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void PrintSeries(const char* what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::printf("%-40s median %.2f ms, min %.2f ms, max %.2f ms (%zu runs)\n", what, values[values.size() / 2],
                values.front(), values.back(), values.size());
}

// Clicks the keys in turn, 40 clicks 60 ms apart, and times each from the mouse
// release to the key press at the target.
std::vector<double> KeyDeliveries(Display* x, Window keyboard, Window target, const KeyTable& keys,
                                  const std::vector<std::string>& names)
{
    std::vector<double> deliveries;
    for (int run = 0; run < 40; ++run) {
        const TKeyRecord& key = keys.Key(KeyNamed(keys, names[static_cast<std::size_t>(run) % names.size()]));
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(x, keyboard, DefaultRootWindow(x), key.p0x + key.p1x / 2, key.p0y + key.p1y / 2, &rootX,
                              &rootY, &child);
        XTestFakeMotionEvent(x, -1, rootX, rootY, CurrentTime);
        XTestFakeButtonEvent(x, 1, True, CurrentTime);
        XSync(x, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        XSync(x, True);
        const auto begin = Clock::now();
        XTestFakeButtonEvent(x, 1, False, CurrentTime);
        XFlush(x);
        XEvent event;
        XWindowEvent(x, target, KeyPressMask, &event);
        deliveries.push_back(Milliseconds(Clock::now() - begin));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    return deliveries;
}

}  // namespace

int main()
{
    E2eSession session(false);
    const fs::path program = session.Home() / "bin" / "tapsody";
    fs::create_directories(program.parent_path());
    fs::copy_file(TAPSODY_PROGRAM, program);
    session.InstallProgram(program); // before the timing: only an installed copy shows the keyboard
    const X11DisplayHandle display = OpenX11Display(session.Display());
    XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);

    std::vector<double> starts;
    for (int run = 0; run < 5; ++run) {
        XSync(display.get(), True);
        const auto begin = Clock::now();
        ChildProcess app = session.Start({program.string()}, session.Home() / "tapsody.out");
        if (WaitForKeyboardMap(display.get(), std::chrono::seconds(10)) == 0) {
            std::fprintf(stderr, "the keyboard did not appear\n");
            return 1;
        }
        starts.push_back(Milliseconds(Clock::now() - begin));
    }
    PrintSeries("start until the window is mapped:", starts);

    // A target window of our own, with the focus.
    Display* x = display.get();
    const Window target = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 500, 300, 200, 0, 0, 0);
    XSelectInput(x, target, KeyPressMask);
    XMapWindow(x, target);
    XSync(x, False);
    XSetInputFocus(x, target, RevertToPointerRoot, CurrentTime);

    XSync(x, True);
    ChildProcess app = session.Start({program.string()}, session.Home() / "tapsody.out");
    const Window keyboard = WaitForKeyboardMap(x, std::chrono::seconds(10));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    std::printf("%-40s %ld kB\n", "resident memory after start:", ResidentKilobytes(app.Pid()));

    const double cpuBefore = CpuSeconds(app.Pid());
    std::this_thread::sleep_for(std::chrono::seconds(10));
    std::printf("%-40s %.3f s of CPU in 10 s\n", "idle:", CpuSeconds(app.Pid()) - cpuBefore);

    KeyTable keys;
    BuildKeyList(keys, DataLines("tastenmemo.txt"));
    LoadLayoutLines(keys, DataLines("belegmemo.txt"));
    PrintSeries("mouse release to key press at target:", KeyDeliveries(x, keyboard, target, keys, {"A"}));
    // On the virtual display's US keymap these symbols go on lent keycodes.
    PrintSeries("the same, symbols on lent keycodes:",
                KeyDeliveries(x, keyboard, target, keys, {"\xC4", "\xD6", "\xDC", "\xDF", "<", "#", "+", "-"}));
    return 0;
}
