// What a user of the keyboard program feels, measured on virtual displays beside
// a bare Qt window that shows the same picture and types a key
// (minimal_qt_window): the time from exec until the window is mapped and until
// it is fully drawn (no drawing for 300 ms, seen through the DAMAGE extension),
// resident and proportional memory, processor time while idle for 10 s, and the
// time from a mouse release to the key at a target window, by the X server's
// clock and by ours. Each program runs in a session of its own (Xvfb, openbox
// unless --no-wm, a sandboxed home); the runs of the programs take turns, so a
// machine getting slower meanwhile slows them all alike. Prints the figures;
// asserts nothing.
//
//   keyboard_session_benchmark [--no-wm] [--starts N] [--clicks N] [NAME=PROGRAM ...]
//
// Every NAME=PROGRAM is one more build of the keyboard program to measure (an
// older build, for a before and after in one run).

#include "e2e_session.h"
#include "keyboard/key_hit_test.h"
#include "layout/key_list.h"
#include "layout/layout_reader.h"
#include "platform/linux/x11_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kQuietAfterDrawing = std::chrono::milliseconds(300);
constexpr auto kAppearLimit = std::chrono::seconds(20);
constexpr auto kKeyLimit = std::chrono::seconds(5);
constexpr auto kIdleTime = std::chrono::seconds(10);

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

// Windows vanish while they are looked at; their errors mean nothing here.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// Waits for the next event, at most until the deadline; false when none came.
bool NextEvent(Display* display, XEvent& event, Clock::time_point deadline)
{
    while (!XPending(display)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        poll(&descriptor, 1, static_cast<int>(std::min<long long>(left, 50)));
    }
    XNextEvent(display, &event);
    return true;
}

long WindowPid(Display* display, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type,
                           &format, &count, &remaining, &data) == Success &&
        data && format == 32 && count == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    XFree(data);
    return pid;
}

// A program's figures, one entry a run.
struct Figures {
    std::vector<double> mapped, drawn, residentMb, proportionalMb, idleMs, serverMs, deliveryUs;
};

// One program in a session of its own.
class Subject {
public:
    Subject(std::string name, std::vector<std::string> argv, bool keyboard, bool windowManager)
        : name_(std::move(name)), session_(windowManager), windowManager_(windowManager)
    {
        if (keyboard) {
            // Only an installed copy shows the keyboard; installing is not timed.
            const fs::path program = session_.Home() / "bin" / "tapsody";
            fs::create_directories(program.parent_path());
            fs::copy_file(argv[0], program);
            argv[0] = session_.InstallProgram(program).string();
        }
        argv_ = std::move(argv);
        display_ = OpenX11Display(session_.Display());
        Display* x = display_.get();
        int error = 0;
        if (!XDamageQueryExtension(x, &damageEvent_, &error))
            throw std::runtime_error("the X server has no DAMAGE extension");
        XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
    }

    const std::string& Name() const { return name_; }
    Figures figures;

    // Starts the program and waits until its window is drawn; the program runs on.
    void Appear()
    {
        Display* x = display_.get();
        XSync(x, True);
        window_ = 0;
        const auto begin = Clock::now();
        app_ = session_.StartAsIs(argv_, session_.Home() / "program.out");
        std::optional<Clock::time_point> mapped;
        Clock::time_point drawn;
        const auto deadline = begin + kAppearLimit;
        for (;;) {
            XEvent event;
            const auto wait = mapped ? std::min(deadline, std::max(drawn, *mapped) + kQuietAfterDrawing) : deadline;
            if (!NextEvent(x, event, wait))
                break;
            const auto now = Clock::now();
            if (event.type == CreateNotify && event.xcreatewindow.parent == DefaultRootWindow(x)) {
                // Watched from its creation on, so no drawing is missed.
                XDamageCreate(x, event.xcreatewindow.window, XDamageReportRawRectangles);
                XSelectInput(x, event.xcreatewindow.window, StructureNotifyMask);
            } else if (event.type == MapNotify && !mapped && WindowPid(x, event.xmap.window) == app_.Pid()) {
                mapped = drawn = now;
                window_ = event.xmap.window;
            } else if (event.type == damageEvent_ + XDamageNotify &&
                       reinterpret_cast<XDamageNotifyEvent&>(event).drawable == window_ && window_ != 0) {
                drawn = now;
            }
        }
        if (!mapped)
            throw std::runtime_error(name_ + ": no window appeared: " + ReadFile(session_.Home() / "program.out"));
        figures.mapped.push_back(Milliseconds(*mapped - begin));
        figures.drawn.push_back(Milliseconds(drawn - begin));
    }

    void Stop() { app_.Stop(); }

    void MeasureMemory()
    {
        std::ifstream rollup("/proc/" + std::to_string(app_.Pid()) + "/smaps_rollup");
        for (std::string line; std::getline(rollup, line);) {
            if (line.starts_with("Rss:"))
                figures.residentMb.push_back(std::stod(line.substr(4)) / 1024);
            else if (line.starts_with("Pss:"))
                figures.proportionalMb.push_back(std::stod(line.substr(4)) / 1024);
        }
    }

    // Processor time of all the program's threads so far, in nanoseconds.
    double CpuNanoseconds() const
    {
        double total = 0;
        for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(app_.Pid()) + "/task")) {
            std::istringstream stat(ReadFile(task.path() / "schedstat"));
            double onCpu = 0;
            stat >> onCpu;
            total += onCpu;
        }
        return total;
    }

    // A window of our own in front, with the focus, for the keys to arrive at.
    void MakeTarget()
    {
        Display* x = display_.get();
        target_ = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 600, 300, 200, 0, 0, 0);
        XSelectInput(x, target_, KeyPressMask | PropertyChangeMask);
        XMapWindow(x, target_);
        XSync(x, False);
        const bool focused = WaitUntil([&] {
            if (windowManager_) {
                XEvent request{};
                request.xclient.type = ClientMessage;
                request.xclient.window = target_;
                request.xclient.message_type = XInternAtom(x, "_NET_ACTIVE_WINDOW", False);
                request.xclient.format = 32;
                request.xclient.data.l[0] = 2;
                XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
            } else {
                XSetInputFocus(x, target_, RevertToPointerRoot, CurrentTime);
            }
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(x, &focus, &revert);
            return focus == target_;
        });
        if (!focused)
            throw std::runtime_error(name_ + ": the target window got no focus");
    }

    // Puts the pointer on the key "A", or the middle of a window without keys.
    void PointAtKey(const KeyTable* keys)
    {
        Display* x = display_.get();
        XWindowAttributes attributes{};
        XGetWindowAttributes(x, window_, &attributes);
        int keyX = attributes.width / 2, keyY = attributes.height / 2;
        if (keys) {
            const TKeyRecord& a = keys->Key(KeyNamed(*keys, "A"));
            keyX = a.p0x + a.p1x / 2;
            keyY = a.p0y + a.p1y / 2;
        }
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(x, window_, DefaultRootWindow(x), keyX, keyY, &rootX, &rootY, &child);
        XTestFakeMotionEvent(x, -1, rootX, rootY, CurrentTime);
        XSync(x, False);
    }

    void Press()
    {
        XTestFakeButtonEvent(display_.get(), 1, True, CurrentTime);
        XSync(display_.get(), False);
    }

    // Releases the button and waits for the key at the target.
    void ReleaseForKey()
    {
        Display* x = display_.get();
        const Time released = ServerTime();
        const auto begin = Clock::now();
        XTestFakeButtonEvent(x, 1, False, CurrentTime);
        XFlush(x);
        XEvent event;
        const auto deadline = begin + kKeyLimit;
        while (NextEvent(x, event, deadline)) {
            if (event.type == KeyPress && event.xkey.window == target_) {
                figures.deliveryUs.push_back(Milliseconds(Clock::now() - begin) * 1000);
                figures.serverMs.push_back(static_cast<double>(event.xkey.time - released));
                return;
            }
        }
        throw std::runtime_error(name_ + ": no key arrived at the target");
    }

    // Whether the program types into the target yet (the keyboard learns it on its tick).
    bool TypesIntoTarget()
    {
        try {
            Press();
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            ReleaseForKey();
            figures.deliveryUs.pop_back();
            figures.serverMs.pop_back();
            return true;
        } catch (const std::runtime_error&) {
            return false;
        }
    }

private:
    // The server's clock now: the time of a property change on the target.
    Time ServerTime()
    {
        Display* x = display_.get();
        const Atom stamp = XInternAtom(x, "TAPSODY_BENCH_STAMP", False);
        XChangeProperty(x, target_, stamp, XA_STRING, 8, PropModeReplace, nullptr, 0);
        XEvent event;
        while (NextEvent(x, event, Clock::now() + kKeyLimit))
            if (event.type == PropertyNotify && event.xproperty.atom == stamp)
                return event.xproperty.time;
        throw std::runtime_error(name_ + ": no property change seen");
    }

    std::string name_;
    E2eSession session_;
    bool windowManager_;
    std::vector<std::string> argv_;
    X11DisplayHandle display_;
    int damageEvent_ = 0;
    ChildProcess app_;
    Window window_ = 0;
    Window target_ = 0;
};

std::string Cell(std::vector<double> values, const char* format)
{
    if (values.empty())
        return "-";
    std::sort(values.begin(), values.end());
    char median[32], low[32], high[32], cell[128];
    std::snprintf(median, sizeof median, format, values[values.size() / 2]);
    std::snprintf(low, sizeof low, format, values.front());
    std::snprintf(high, sizeof high, format, values.back());
    std::snprintf(cell, sizeof cell, "%s (%s-%s)", median, low, high);
    return cell;
}

void PrintTable(const std::vector<std::unique_ptr<Subject>>& subjects)
{
    std::printf("\n%-38s", "median (min-max)");
    for (const auto& subject : subjects)
        std::printf(" | %-26s", subject->Name().c_str());
    std::printf("\n");
    const auto row = [&](const char* what, std::vector<double> Figures::*series, const char* format) {
        std::printf("%-38s", what);
        for (const auto& subject : subjects)
            std::printf(" | %-26s", Cell(subject->figures.*series, format).c_str());
        std::printf("\n");
    };
    row("exec -> window mapped (ms)", &Figures::mapped, "%.1f");
    row("exec -> window drawn (ms)", &Figures::drawn, "%.1f");
    row("resident memory (MB)", &Figures::residentMb, "%.1f");
    row("proportional memory (MB)", &Figures::proportionalMb, "%.1f");
    row("processor time idle 10 s (ms)", &Figures::idleMs, "%.2f");
    row("release -> key, server clock (ms)", &Figures::serverMs, "%.0f");
    row("release -> key (us)", &Figures::deliveryUs, "%.0f");
}

struct Options {
    bool windowManager = true;
    int starts = 5;
    int clicks = 20;
    std::vector<std::pair<std::string, std::string>> keyboards;
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--no-wm")
            options.windowManager = false;
        else if (argument == "--starts" && i + 1 < argc)
            options.starts = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--clicks" && i + 1 < argc)
            options.clicks = std::max(1, std::atoi(argv[++i]));
        else if (const auto equals = argument.find('='); equals != std::string::npos && equals > 0)
            options.keyboards.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
        else
            throw std::invalid_argument("usage: keyboard_session_benchmark [--no-wm] [--starts N] [--clicks N] "
                                        "[NAME=PROGRAM ...]");
    }
    return options;
}

void Run(const Options& options)
{
    XSetErrorHandler(IgnoreXError);
    std::vector<std::unique_ptr<Subject>> subjects;
    std::set<Subject*> keyboards;
    const auto add = [&](const std::string& name, std::vector<std::string> argv, bool keyboard) {
        subjects.push_back(std::make_unique<Subject>(name, std::move(argv), keyboard, options.windowManager));
        if (keyboard)
            keyboards.insert(subjects.back().get());
    };
    add("Tapsody", {TAPSODY_PROGRAM}, true);
    for (const auto& [name, program] : options.keyboards)
        add(name, {program}, true);
    const std::string picture = fs::path(TAPSODY_SOURCE_DIR) / "data" / "bildmemo.bmp";
    add("minimal Qt window", {TAPSODY_MINIMAL_QT, picture}, false);
    add("the same, 200 ms tick", {TAPSODY_MINIMAL_QT, "--tick", picture}, false);
    std::printf("%s, %d starts and %d clicks a program\n", options.windowManager ? "openbox" : "no window manager",
                options.starts, options.clicks);

    for (const auto& subject : subjects) { // a first start fills the caches; not counted
        subject->Appear();
        subject->Stop();
        subject->figures = {};
    }
    for (int run = 0; run < options.starts; ++run)
        for (const auto& subject : subjects) {
            subject->Appear();
            subject->Stop();
        }

    // All programs idle at the same time, each beside its own target window.
    for (const auto& subject : subjects) {
        subject->MakeTarget();
        subject->Appear();
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    std::vector<double> cpuBefore;
    for (const auto& subject : subjects) {
        subject->MeasureMemory();
        cpuBefore.push_back(subject->CpuNanoseconds());
    }
    std::this_thread::sleep_for(kIdleTime);
    for (std::size_t i = 0; i < subjects.size(); ++i)
        subjects[i]->figures.idleMs.push_back((subjects[i]->CpuNanoseconds() - cpuBefore[i]) / 1e6);

    KeyTable keys;
    BuildKeyList(keys, DataLines("tastenmemo.txt"));
    LoadLayoutLines(keys, DataLines("belegmemo.txt"));
    for (const auto& subject : subjects) {
        subject->PointAtKey(keyboards.contains(subject.get()) ? &keys : nullptr);
        if (!WaitUntil([&] { return subject->TypesIntoTarget(); }, std::chrono::seconds(10)))
            throw std::runtime_error(subject->Name() + " does not type into the target");
    }
    for (int click = 0; click < options.clicks; ++click)
        for (const auto& subject : subjects) {
            subject->Press();
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            subject->ReleaseForKey();
        }
    PrintTable(subjects);
}

} // namespace

int main(int argc, char** argv)
{
    try {
        Run(ParseOptions(argc, argv));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
