#pragma once

#include "platform/linux/x11_display.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// A program started by a test; ended (SIGTERM, then SIGKILL) when the object goes.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
                 const std::filesystem::path& output);
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;

    // Takes charge of a process started otherwise.
    static ChildProcess Adopt(int pid);

    int Pid() const { return pid_; }
    bool Running();
    // Waits up to limit for the program to end; its exit status, or -1 when it has not ended.
    int WaitForExit(std::chrono::milliseconds limit);
    void Stop();

private:
    int pid_ = -1;
    int status_ = -1;
};

using namespace std::chrono_literals;

// Polls condition every 10 ms until it holds or limit has passed.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s);

std::string ReadFile(const std::filesystem::path& path);

// A virtual X display of its own (Xvfb on a free display number), optionally with
// a window manager, and a sandboxed home with its own XDG folders.
class E2eSession {
public:
    // Openbox, or no window manager.
    explicit E2eSession(bool windowManager) : E2eSession(std::string(windowManager ? "openbox" : "")) {}
    // A window manager by its program name: "openbox", "icewm", "fluxbox" or
    // "xfwm4"; none for an empty name.
    explicit E2eSession(const std::string& windowManager);
    ~E2eSession();

    const std::string& Display() const { return display_; }
    const std::filesystem::path& Home() const { return home_; }
    // The environment of programs started in the session.
    std::map<std::string, std::string> Environment() const;

    // Starts a program; its standard output and error go to the file. Only an
    // installed copy of the keyboard program shows the keyboard, so a start of
    // it installs it first: a copy of the program is installed where it lies,
    // and the build's own file is replaced by the copy installed in the
    // sandbox's default folder.
    ChildProcess Start(const std::vector<std::string>& argv, const std::filesystem::path& output);
    // Starts a program as it is, also the keyboard program without installing it.
    ChildProcess StartAsIs(const std::vector<std::string>& argv, const std::filesystem::path& output);
    // Installs a copy of the keyboard program where it lies, silently ("/ini"),
    // and ends the copy the installation starts; the build's own file is copied
    // to the default folder first. Returns the program to start.
    std::filesystem::path InstallProgram(const std::filesystem::path& program);
    // Whether the file is the keyboard program (the build's own file or a copy of it).
    static bool IsKeyboardProgram(const std::filesystem::path& file);
    // Runs a program to its end and returns its standard output; throws when it fails.
    std::string Run(const std::vector<std::string>& argv);

    // The visible windows xdotool search finds with the criterion ("--name", a
    // regular expression, or "--pid", a process); none while there are none, and
    // none when a window vanished during the search, which xdotool reports as a failure.
    std::vector<unsigned long> VisibleWindows(const std::string& criterion, const std::string& value);
    // The first visible window whose name matches the regular expression, 0 while there is none.
    unsigned long FindWindow(const std::string& pattern);
    // Waits up to 30 s for such a window; 0 when none came.
    unsigned long WaitForWindow(const std::string& pattern);
    // Answers the message box that is in front with a key (Return: its default
    // button) and waits for it to go; false when it did not.
    bool Answer(const std::string& pattern, const std::string& key);

    // The registry store's text (UTF-16 with a byte-order mark) as the plain
    // ASCII it holds here, with LF line ends; empty when there is no store.
    std::string RegistryText() const;
    // Replaces the first occurrence of from in the store; false when there is none.
    bool ReplaceInRegistry(const std::string& from, const std::string& to);
    struct Geometry {
        int x = 0, y = 0, width = 0, height = 0;
        friend bool operator==(const Geometry&, const Geometry&) = default;
    };
    Geometry WindowGeometry(unsigned long window);

    // Mouse actions through xdotool, at root coordinates.
    void MouseMove(int x, int y);
    // To a point of the window's client area.
    void MouseMoveIn(unsigned long window, int x, int y);
    std::pair<int, int> PointerAt();
    void MouseDown(int button = 1);
    void MouseUp(int button = 1);
    void Click(int x, int y);

private:
    void StartWindowManager(const std::string& name);
    void WriteQuietOpenboxConfig();
    // Ends every process of the group, such as a program started by one that has ended.
    static void StopGroup(int group);

    std::filesystem::path home_;
    std::string display_;
    ChildProcess server_;
    ChildProcess windowManager_;
    X11DisplayHandle connection_;
    std::set<std::filesystem::path> installed_;
};
