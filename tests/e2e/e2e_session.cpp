#include "e2e_session.h"

#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace {

std::vector<char*> CStrings(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& overrides)
{
    std::map<std::string, std::string> merged;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos)
            merged[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : overrides)
        merged[name] = value;
    std::vector<std::string> result;
    for (const auto& [name, value] : merged)
        result.push_back(name + "=" + value);
    return result;
}

// Forks and runs argv with its output in outputFd (and stdin from /dev/null).
int Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment, int outputFd,
          int extraFd = -1)
{
    std::vector<std::string> args = argv;
    std::vector<std::string> env = MergedEnvironment(environment);
    std::vector<char*> argPointers = CStrings(args);
    std::vector<char*> envPointers = CStrings(env);
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        setpgid(0, 0);
        const int input = open("/dev/null", O_RDONLY);
        dup2(input, 0);
        dup2(outputFd, 1);
        dup2(outputFd, 2);
        for (int fd = 3; fd < 1024; ++fd)
            if (fd != extraFd)
                close(fd);
        execvpe(argPointers[0], argPointers.data(), envPointers.data());
        _exit(127);
    }
    return pid;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
                           const std::filesystem::path& output)
{
    const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot write " + output.string());
    pid_ = Spawn(argv, environment, fd);
    close(fd);
}

ChildProcess::~ChildProcess()
{
    Stop();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : pid_(other.pid_), status_(other.status_)
{
    other.pid_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        Stop();
        pid_ = std::exchange(other.pid_, -1);
        status_ = other.status_;
    }
    return *this;
}

bool ChildProcess::Running()
{
    if (pid_ < 0)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        pid_ = -1;
        return false;
    }
    return true;
}

ChildProcess ChildProcess::Adopt(int pid)
{
    ChildProcess process;
    process.pid_ = pid;
    return process;
}

int ChildProcess::WaitForExit(std::chrono::milliseconds limit)
{
    if (!WaitUntil([this] { return !Running(); }, limit))
        return -1;
    return status_;
}

void ChildProcess::Stop()
{
    if (pid_ < 0)
        return;
    kill(-pid_, SIGTERM);
    if (WaitForExit(3s) < 0 && pid_ >= 0) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

E2eSession::E2eSession(const std::string& windowManager)
{
    char pattern[] = "/tmp/tapsody-e2e-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot make a sandbox folder");
    home_ = pattern;
    for (const char* folder : {".config", ".local/share", ".cache", "runtime", "Desktop"})
        std::filesystem::create_directories(home_ / folder);
    std::filesystem::permissions(home_ / "runtime", std::filesystem::perms::owner_all);

    // Xvfb picks a free display number and writes it to the pipe; without -noreset it
    // would restart whenever its last client leaves, refusing connections meanwhile.
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");
    const int log = open((home_ / "xvfb.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    server_ = ChildProcess::Adopt(Spawn({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0",
                                         "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                                        {}, log, pipeFds[1]));
    close(log);
    close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start");
    display_ = ":" + number;
    if (!windowManager.empty())
        StartWindowManager(windowManager);
}

void E2eSession::StartWindowManager(const std::string& name)
{
    std::vector<std::string> argv = {name};
    if (name == "openbox") {
        WriteQuietOpenboxConfig();
        argv.push_back("--sm-disable");
    } else if (name == "xfwm4") {
        // xfwm4 reads its settings through a session bus of its own.
        argv = {"dbus-run-session", "xfwm4", "--compositor=off", "--sm-client-disable"};
    }
    const std::filesystem::path log = home_ / (name + ".log");
    windowManager_ = Start(argv, log);
    // The client list appears once the manager manages windows (xfwm4 names only its
    // check window before it has a client); a window mapped earlier would stay unmanaged.
    const std::string sign = name == "xfwm4" ? "_NET_SUPPORTING_WM_CHECK" : "_NET_CLIENT_LIST";
    const bool managed = WaitUntil([&] {
        return Run({"xprop", "-root", sign}).find("window id") != std::string::npos;
    });
    if (!managed)
        throw std::runtime_error(name + " did not start: " + ReadFile(log));
}

// The system's openbox configuration without its key bindings, so that keys such
// as Print reach the clients under test.
void E2eSession::WriteQuietOpenboxConfig()
{
    std::string config = ReadFile("/etc/xdg/openbox/rc.xml");
    const auto begin = config.find("<keyboard>");
    const auto end = config.find("</keyboard>");
    if (begin != std::string::npos && end != std::string::npos)
        config.replace(begin, end + std::string("</keyboard>").size() - begin, "<keyboard></keyboard>");
    std::filesystem::create_directories(home_ / ".config/openbox");
    std::ofstream(home_ / ".config/openbox/rc.xml") << config;
}

E2eSession::~E2eSession()
{
    connection_.reset();
    windowManager_.Stop();
    server_.Stop();
    std::error_code ignored;
    if (std::getenv("TAPSODY_E2E_KEEP") == nullptr)
        std::filesystem::remove_all(home_, ignored);
}

std::map<std::string, std::string> E2eSession::Environment() const
{
    return {{"DISPLAY", display_},
            {"HOME", home_.string()},
            {"XDG_CONFIG_HOME", (home_ / ".config").string()},
            {"XDG_DATA_HOME", (home_ / ".local/share").string()},
            {"XDG_CACHE_HOME", (home_ / ".cache").string()},
            {"XDG_RUNTIME_DIR", (home_ / "runtime").string()},
            {"XDG_DESKTOP_DIR", (home_ / "Desktop").string()},
            {"XAUTHORITY", (home_ / ".Xauthority").string()},
            {"LC_ALL", "C.UTF-8"}};
}

ChildProcess E2eSession::Start(const std::vector<std::string>& argv, const std::filesystem::path& output)
{
    if (argv.empty() || installed_.contains(argv[0]) || !IsKeyboardProgram(argv[0]))
        return StartAsIs(argv, output);
    std::vector<std::string> installed = argv;
    installed[0] = InstallProgram(argv[0]).string();
    return StartAsIs(installed, output);
}

ChildProcess E2eSession::StartAsIs(const std::vector<std::string>& argv, const std::filesystem::path& output)
{
    return ChildProcess(argv, Environment(), output);
}

bool E2eSession::IsKeyboardProgram(const std::filesystem::path& file)
{
    std::error_code error;
    const std::filesystem::path build = TAPSODY_PROGRAM;
    if (std::filesystem::equivalent(file, build, error))
        return true;
    if (std::filesystem::file_size(file, error) != std::filesystem::file_size(build, error) || error)
        return false;
    return ReadFile(file) == ReadFile(build);
}

std::filesystem::path E2eSession::InstallProgram(const std::filesystem::path& program)
{
    std::error_code error;
    std::filesystem::path copy = program;
    if (std::filesystem::equivalent(program, TAPSODY_PROGRAM, error)) {
        copy = home_ / ".local/share/Tapsodia/Tapsodia";
        std::filesystem::create_directories(copy.parent_path());
        if (!std::filesystem::exists(copy))
            std::filesystem::copy_file(program, copy);
    }
    if (installed_.contains(copy))
        return copy;
    ChildProcess setup({copy.string(), "/ini"}, Environment(), home_ / "install.out");
    const int group = setup.Pid();
    const int status = setup.WaitForExit(30s);
    StopGroup(group); // the installed copy it started
    if (status != 0 || !std::filesystem::exists(copy.parent_path() / "Tapsodia.ini"))
        throw std::runtime_error("installing " + copy.string() + " failed: " + ReadFile(home_ / "install.out"));
    installed_.insert(copy);
    return copy;
}

void E2eSession::StopGroup(int group)
{
    if (group <= 0 || kill(-group, SIGTERM) != 0)
        return;
    if (!WaitUntil([group] { return kill(-group, 0) != 0; }, 5s))
        kill(-group, SIGKILL);
}

std::string E2eSession::Run(const std::vector<std::string>& argv)
{
    const auto output = home_ / "run.out";
    ChildProcess process(argv, Environment(), output);
    const int status = process.WaitForExit(10s);
    const std::string text = ReadFile(output);
    if (status != 0)
        throw std::runtime_error(argv[0] + " failed (" + std::to_string(status) + "): " + text);
    return text;
}

std::vector<unsigned long> E2eSession::VisibleWindows(const std::string& criterion, const std::string& value)
{
    std::vector<unsigned long> windows;
    try {
        std::istringstream ids(Run({"xdotool", "search", "--onlyvisible", criterion, value}));
        for (std::string id; std::getline(ids, id);)
            windows.push_back(std::stoul(id));
    } catch (const std::exception&) {
        windows.clear();
    }
    return windows;
}

unsigned long E2eSession::FindWindow(const std::string& pattern)
{
    const std::vector<unsigned long> windows = VisibleWindows("--name", pattern);
    return windows.empty() ? 0 : windows.front();
}

unsigned long E2eSession::WaitForWindow(const std::string& pattern)
{
    unsigned long window = 0;
    WaitUntil([&] { return (window = FindWindow(pattern)) != 0; }, 30s);
    return window;
}

bool E2eSession::Answer(const std::string& pattern, const std::string& key)
{
    const unsigned long box = WaitForWindow(pattern);
    if (box == 0)
        return false;
    Run({"xdotool", "windowactivate", "--sync", std::to_string(box)});
    Run({"xdotool", "windowfocus", "--sync", std::to_string(box)});
    Run({"xdotool", "key", key});
    return WaitUntil([&] { return FindWindow(pattern) != box; });
}

std::string E2eSession::RegistryText() const
{
    std::string text = ReadFile(home_ / ".config/tapsody/registry.reg");
    std::erase(text, '\0');
    std::erase(text, '\r');
    if (text.starts_with("\xFF\xFE"))
        text.erase(0, 2);
    return text;
}

bool E2eSession::ReplaceInRegistry(const std::string& from, const std::string& to)
{
    std::string text = RegistryText();
    const auto at = text.find(from);
    if (at == std::string::npos)
        return false;
    text.replace(at, from.size(), to);
    std::ofstream(home_ / ".config/tapsody/registry.reg", std::ios::binary) << text;
    return true;
}

// The client area's place on the screen (xdotool counts a frame twice under some managers).
E2eSession::Geometry E2eSession::WindowGeometry(unsigned long window)
{
    const std::string text = Run({"xwininfo", "-id", std::to_string(window)});
    const auto valueAfter = [&](const std::string& label) {
        const auto at = text.find(label);
        return at == std::string::npos ? 0 : std::stoi(text.substr(at + label.size()));
    };
    return {valueAfter("Absolute upper-left X:"), valueAfter("Absolute upper-left Y:"), valueAfter("Width:"),
            valueAfter("Height:")};
}

// Waits until the pointer is there: the next xdotool run has its own connection,
// whose requests the server may otherwise take first. (xdotool waits forever for a
// move to where the pointer already is.)
void E2eSession::MouseMove(int x, int y)
{
    if (PointerAt() != std::pair{x, y})
        Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

void E2eSession::MouseMoveIn(unsigned long window, int x, int y)
{
    const Geometry area = WindowGeometry(window);
    MouseMove(area.x + x, area.y + y);
}

std::pair<int, int> E2eSession::PointerAt()
{
    const std::string text = Run({"xdotool", "getmouselocation", "--shell"});
    const auto valueOf = [&](const std::string& name) {
        const auto at = text.find(name + "=");
        return at == std::string::npos ? -1 : std::stoi(text.substr(at + name.size() + 1));
    };
    return {valueOf("X"), valueOf("Y")};
}

void E2eSession::MouseDown(int button)
{
    Run({"xdotool", "mousedown", std::to_string(button)});
}

// A window manager may hold the pointer for a moment after a press; until it lets
// go, the release waits in the server, and a pointer moved meanwhile would give
// the release the new position. So wait until the server has taken the release.
void E2eSession::MouseUp(int button)
{
    Run({"xdotool", "mouseup", std::to_string(button)});
    if (!connection_)
        connection_ = OpenX11Display(display_);
    WaitUntil([&] {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int state = 0;
        XQueryPointer(connection_.get(), DefaultRootWindow(connection_.get()), &root, &child, &rootX, &rootY, &x, &y,
                      &state);
        return (state & (Button1Mask << (button - 1))) == 0;
    });
}

void E2eSession::Click(int x, int y)
{
    MouseMove(x, y);
    MouseDown();
    MouseUp();
}
