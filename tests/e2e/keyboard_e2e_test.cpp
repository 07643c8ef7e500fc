// The real keyboard program on a virtual display, with and without a window
// manager: keys clicked at the stored layout's coordinates reach an X client.

#include "e2e_session.h"
#include "keyboard/key_hit_test.h"
#include "layout/key_list.h"
#include "layout/layout_reader.h"
#include "services/text_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> DataLines(const std::string& name)
{
    std::istringstream text(ReadFile(fs::path(TAPSODY_SOURCE_DIR) / "data" / name));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
    return lines;
}

KeyTable StoredKeys()
{
    KeyTable table;
    BuildKeyList(table, DataLines("tastenmemo.txt"));
    LoadLayoutLines(table, DataLines("belegmemo.txt"));
    return table;
}

// A screenshot as rows of 0xRRGGBB pixels.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Screenshot ReadPpm(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    Screenshot shot;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    shot.pixels.resize(static_cast<std::size_t>(shot.width * shot.height));
    for (std::uint32_t& pixel : shot.pixels) {
        unsigned char rgb[3] = {};
        in.read(reinterpret_cast<char*>(rgb), 3);
        pixel = (std::uint32_t(rgb[0]) << 16) | (std::uint32_t(rgb[1]) << 8) | rgb[2];
    }
    return shot;
}

// The frame the window manager draws around the window: left, right, top, bottom.
std::vector<int> FrameExtents(E2eSession& session, unsigned long window)
{
    const std::string text = session.Run({"xprop", "-id", std::to_string(window), "_NET_FRAME_EXTENTS"});
    std::vector<int> extents;
    for (auto at = text.find('='); at != std::string::npos && extents.size() < 4; at = text.find(',', at + 1))
        extents.push_back(std::stoi(text.substr(at + 1)));
    extents.resize(4);
    return extents;
}

// The parameter names the window manager; empty for none.
class KeyboardE2e : public ::testing::TestWithParam<std::string> {
protected:
    E2eSession session{GetParam()};
    bool Managed() const { return !GetParam().empty(); }
    KeyTable keys = StoredKeys();
    fs::path program = session.Home() / "bin" / "tapsody";
    ChildProcess logger;
    ChildProcess gtkLogger;
    ChildProcess app;
    unsigned long loggerWindow = 0;
    unsigned long gtkWindow = 0;
    unsigned long keyboard = 0;

    void SetUp() override
    {
        // The program keeps its settings beside itself when it can: give it a folder of its own.
        fs::create_directories(program.parent_path());
        fs::copy_file(TAPSODY_PROGRAM, program);
        logger = session.Start({KEY_LOGGER, "0", "500"}, session.Home() / "keys.log");
        ASSERT_TRUE(WaitUntil([&] { return KeyLog().find('\n') != std::string::npos; }));
        loggerWindow = std::stoul(KeyLog().substr(7));
    }

    std::string KeyLog() { return ReadFile(session.Home() / "keys.log"); }

    void StartKeyboard(const std::vector<std::string>& switches = {})
    {
        std::vector<std::string> argv = {program.string()};
        argv.insert(argv.end(), switches.begin(), switches.end());
        app = session.Start(argv, session.Home() / "tapsody.out");
        ASSERT_TRUE(WaitUntil([&] { return (keyboard = session.FindWindow("^Tapsody 1\\.7")) != 0; }))
            << ReadFile(session.Home() / "tapsody.out");
    }

    // Gives the logger the focus and lets the keyboard's 200 ms tracking see it.
    void FocusLogger() { FocusWindow(loggerWindow, session.Home() / "keys.log"); }

    // Gives a window that logs its focus changes to the file the focus.
    void FocusWindow(unsigned long window, const fs::path& log)
    {
        if (Managed())
            session.Run({"xdotool", "windowactivate", "--sync", std::to_string(window)});
        else
            session.Run({"xdotool", "windowfocus", "--sync", std::to_string(window)});
        ASSERT_TRUE(WaitUntil([&] {
            const std::string text = ReadFile(log);
            const auto last = text.rfind("focus ");
            return last != std::string::npos && text.compare(last, 8, "focus in") == 0;
        })) << "waiting for window "
            << window << " to have the focus";
        std::this_thread::sleep_for(450ms);
    }

    // Starts the GTK text field and gives it the focus; the keyboard must be running.
    void StartGtkLogger()
    {
        gtkLogger = session.Start({GTK_TEXT_LOGGER, "450", "700"}, session.Home() / "gtk.log");
        ASSERT_TRUE(WaitUntil([&] { return GtkLog().find('\n') != std::string::npos; }))
            << "waiting for the GTK text field: " << GtkLog();
        gtkWindow = std::stoul(GtkLog().substr(7));
        FocusWindow(gtkWindow, session.Home() / "gtk.log");
    }

    std::string GtkLog() { return ReadFile(session.Home() / "gtk.log"); }

    // The GTK text field's text once it is expected (or after a generous wait, whatever it is).
    std::string GtkText(const std::string& expected)
    {
        std::string text;
        WaitUntil([&] {
            const std::string log = GtkLog();
            const auto at = log.rfind("\ntext ");
            text = at == std::string::npos ? std::string() : log.substr(at + 6, log.find('\n', at + 1) - at - 6);
            return text == expected;
        });
        return text;
    }

    void ClickKeys(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            ClickKey(name);
    }

    // Clicks the keys into the GTK text field on the US keymap and then on the German one.
    void ExpectTypedOnUsAndGermanKeymaps(std::initializer_list<const char*> clicks, const std::string& typed)
    {
        StartKeyboard();
        StartGtkLogger();
        std::string expected;
        for (const char* keymap : {"us", "de"}) {
            session.Run({"setxkbmap", keymap});
            ClickKeys(clicks);
            expected += typed;
            EXPECT_EQ(GtkText(expected), expected) << keymap;
        }
    }

    int KeyIndex(const std::string& name) const
    {
        const int index = KeyNamed(keys, UpperStr(name));
        EXPECT_GE(index, 0) << name;
        return index;
    }

    // The middle of the key, where the stored layout finds it first.
    std::pair<int, int> KeyPoint(const std::string& name) const
    {
        const TKeyRecord& key = keys.Key(KeyIndex(name));
        const int x = key.p0x + key.p1x / 2;
        const int y = key.p0y + key.p1y / 2;
        EXPECT_EQ(KeyAt(keys, x, y), KeyIndex(name)) << name;
        return {x, y};
    }

    void ClickKey(const std::string& name)
    {
        const auto [x, y] = KeyPoint(name);
        session.MouseMoveIn(keyboard, x, y);
        session.MouseDown();
        session.MouseUp();
    }

    // A point of the picture that is on no key.
    std::pair<int, int> PointBesideKeys() const
    {
        for (int y = 2; y < 60; ++y)
            for (int x = 880; x > 600; --x)
                if (KeyAt(keys, x, y) == -1)
                    return {x, y};
        return {-1, -1};
    }

    // Drags the picture beside the keys by (dx, dy) in five steps; how far the window went.
    std::pair<int, int> DragBesideTheKeys(int dx, int dy)
    {
        const auto [x, y] = PointBesideKeys();
        const E2eSession::Geometry before = session.WindowGeometry(keyboard);
        session.MouseMove(before.x + x, before.y + y);
        session.MouseDown();
        for (int step = 1; step <= 5; ++step)
            session.MouseMove(before.x + x + dx * step / 5, before.y + y + dy * step / 5);
        session.MouseUp();
        E2eSession::Geometry after = before;
        WaitUntil(
            [&] { // the last move asked for, if any, has arrived
                after = session.WindowGeometry(keyboard);
                return std::pair{after.x - before.x, after.y - before.y} == std::pair{dx, dy};
            },
            1s);
        return {after.x - before.x, after.y - before.y};
    }

    std::vector<std::string> KeyLines(std::size_t count)
    {
        std::vector<std::string> lines;
        WaitUntil([&] {
            lines.clear();
            std::istringstream text(KeyLog());
            for (std::string line; std::getline(text, line);)
                if (line.starts_with("press ") || line.starts_with("release "))
                    lines.push_back(line);
            return lines.size() >= count;
        });
        return lines;
    }

    std::string TypedText(std::size_t length)
    {
        std::string text;
        WaitUntil([&] {
            text.clear();
            for (const std::string& line : KeyLines(0))
                if (const auto at = line.find(" text="); line.starts_with("press ") && at != std::string::npos)
                    text += line.substr(at + 6);
            return text.size() >= length;
        });
        return text;
    }

    Screenshot Shot(unsigned long window = 0)
    {
        const fs::path file = session.Home() / "shot.ppm";
        session.Run(
            {"import", "-window", std::to_string(window ? window : keyboard), "-depth", "8", "ppm:" + file.string()});
        return ReadPpm(file);
    }

    // Whether the key's whole area shows the first picture's colours inverted.
    bool ShowsInverted(const Screenshot& before, const Screenshot& after, const std::string& name) const
    {
        const TKeyRecord& key = keys.Key(KeyIndex(name));
        for (int y = key.p0y; y <= key.p0y + key.p1y; ++y)
            for (int x = key.p0x; x <= key.p0x + key.p1x; ++x)
                if (after.At(x, y) != (before.At(x, y) ^ 0xFFFFFFu))
                    return false;
        return true;
    }

    // A visible window of the program other than the keyboard (a menu or a question); 0 when none.
    unsigned long OtherWindow() { return WindowOf(app); }

    void CloseKeyboard() { session.Run({KEY_LOGGER, "--close", std::to_string(keyboard)}); }

    // A visible window of the process other than the keyboard; 0 while there is none.
    unsigned long WindowOf(ChildProcess& process)
    {
        for (unsigned long window : session.VisibleWindows("--pid", std::to_string(process.Pid())))
            if (window != keyboard)
                return window;
        return 0;
    }

    // The window manager's windows, the topmost last.
    std::vector<unsigned long> Stacking()
    {
        const std::string text = session.Run({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"});
        std::vector<unsigned long> windows;
        for (auto at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 2))
            windows.push_back(std::stoul(text.substr(at), nullptr, 16));
        return windows;
    }

    // The dialog stands above every other window (under a window manager) and has
    // the keyboard focus, without anyone giving it.
    void ExpectInFront(unsigned long dialog)
    {
        if (Managed()) {
            EXPECT_TRUE(WaitUntil([&] { return !Stacking().empty() && Stacking().back() == dialog; }))
                << ::testing::PrintToString(Stacking()) << " dialog " << dialog;
        }
        EXPECT_TRUE(WaitUntil([&] { return std::stoul(session.Run({"xdotool", "getwindowfocus"})) == dialog; }));
    }

    // A placement stored off every screen brings the whole window, frame and all, back onto it.
    void ExpectAPlacementOffTheScreenComesBackWhole()
    {
        std::ofstream(program.parent_path() / "Tapsodia.ini")
            << "[Setup]\r\nendefragen=0\r\n[FensterMainform]\r\nVonOben=5000\r\nLinks=5000\r\n";
        StartKeyboard();
        std::vector<int> frame(4);
        E2eSession::Geometry placed;
        const auto wholeOnScreen = [&] {
            if (Managed() && (frame = FrameExtents(session, keyboard))[2] == 0)
                return false; // not framed yet
            placed = session.WindowGeometry(keyboard);
            return placed.x - frame[0] >= 0 && placed.y - frame[2] >= 0 && placed.x + placed.width + frame[1] <= 1280 &&
                   placed.y + placed.height + frame[3] <= 1024;
        };
        EXPECT_TRUE(WaitUntil(wholeOnScreen)) << "waiting for the whole window on the screen; it is at " << placed.x
                                              << "," << placed.y << " " << placed.width << "x" << placed.height;
        EXPECT_EQ(placed.width, 889);
        KeepScreenshot("off-screen-placement");
    }

    // The whole screen, for a person to look at, when TAPSODY_E2E_SCREENSHOTS names a folder.
    void KeepScreenshot(const std::string& name)
    {
        if (const char* folder = std::getenv("TAPSODY_E2E_SCREENSHOTS"))
            session.Run(
                {"import", "-window", "root",
                 (fs::path(folder) / (name + "-" + (Managed() ? GetParam() : "no-manager") + ".png")).string()});
    }
};

TEST_P(KeyboardE2e, ClickedKeysTypeASentence)
{
    StartKeyboard();
    FocusLogger();
    for (const char* key : {"SHIFT-Links",
                            "h",
                            "SHIFT-Links",
                            "a",
                            "l",
                            "l",
                            "o",
                            "Space",
                            "w",
                            "e",
                            "l",
                            "t",
                            ",",
                            "Space",
                            "\xDF",
                            "#",
                            "+",
                            "-",
                            "<",
                            "\xE4",
                            "\xF6",
                            "\xFC",
                            "Space",
                            "1",
                            "2",
                            "Num 7",
                            "SHIFT-Rechts",
                            "1",
                            "SHIFT-Rechts",
                            "."})
        ClickKey(key);
    const std::string expected = "Hallo welt, \xC3\x9F#+-<\xC3\xA4\xC3\xB6\xC3\xBC 127!.";
    EXPECT_EQ(TypedText(expected.size()), expected);
}

// Ctrl and Alt latched are AltGr, as on the German keyboard the picture shows,
// whichever keymap the desktop uses; unlatched, the keys type their own symbols.
TEST_P(KeyboardE2e, CtrlAndAltTypeTheAltGrSymbolsOnUsAndGermanKeymaps)
{
    ExpectTypedOnUsAndGermanKeymaps({"CTRL-Links", "ALT", "q", "e", "7", "0", "8", "9", "\xDF", "<", "+", "m", "2", "3",
                                     "CTRL-Links", "ALT", "q", "7", "Space"},
                                    "@\xE2\x82\xAC{}[]\\|~\xC2\xB5\xC2\xB2\xC2\xB3q7 "); // @€{}[]\|~µ²³q7
}

// "^" is a dead key like "´": it waits for the next key, and a blank after it types it alone.
TEST_P(KeyboardE2e, CircumflexIsADeadKeyLikeTheAcute)
{
    ExpectTypedOnUsAndGermanKeymaps(
        {"^", "a", "^", "Space", "\xB4", "e", "^", "SHIFT-Links", "o", "SHIFT-Links", "Space"},
        "\xC3\xA2^\xC3\xA9\xC3\x94 "); // â^éÔ
}

// Symbols a US keymap lacks go on lent keycodes, one after the other: at 15 clicks
// a second a GTK program, which keeps its own copy of the keymap, gets every one.
TEST_P(KeyboardE2e, FastClicksTypeEveryLentSymbolIntoAGtkProgram)
{
    StartKeyboard();
    session.Run({"setxkbmap", "us"});
    StartGtkLogger();
    const E2eSession::Geometry area = session.WindowGeometry(keyboard);
    std::vector<std::string> clicks = {"xdotool"};
    for (const char* key : {"SHIFT-Links", "6", "5", "4", "1", ".", "SHIFT-Links", "\xDF", "\xE4", "\xF6", "\xFC", "<",
                            "#", "SHIFT-Links", "-", "7", "SHIFT-Links", "Space"}) {
        const auto [x, y] = KeyPoint(key);
        // One connection sends the moves and clicks in order; the pause makes 15 clicks a second.
        for (const std::string& word :
             {std::string("mousemove"), std::to_string(area.x + x), std::to_string(area.y + y),
              std::string("mousedown"), std::string("1"), std::string("mouseup"), std::string("1"),
              std::string("sleep"), std::string("0.066")})
            clicks.push_back(word);
    }
    const std::string typed = "&%$!:\xC3\x9F\xC3\xA4\xC3\xB6\xC3\xBC<#_/ "; // &%$!:ßäöü<#_/
    std::string expected;
    for (int run = 1; run <= 20; ++run) {
        session.Run(clicks);
        expected += typed;
        ASSERT_EQ(GtkText(expected), expected) << "run " << run;
    }
}

TEST_P(KeyboardE2e, LatchedModifiersWrapTheKeyAndStayHighlighted)
{
    StartKeyboard();
    FocusLogger();
    const Screenshot plain = Shot();
    for (const char* key : {"SHIFT-Links", "CTRL-Links", "ALT", "F4"})
        ClickKey(key);
    EXPECT_EQ(KeyLines(8), (std::vector<std::string>{
                               "press Shift_L state=0 text=", "press Control_L state=1 text=",
                               "press Meta_L state=5 text=", "press F4 state=13 text=", "release F4 state=13",
                               "release Shift_L state=13", "release Control_L state=12", "release Alt_L state=8"}));
    Screenshot latched;
    EXPECT_TRUE(WaitUntil([&] {
        latched = Shot();
        return ShowsInverted(plain, latched, "SHIFT-Links");
    }));
    for (const char* key : {"SHIFT-Rechts", "CTRL-Links", "CTRL-Rechts", "ALT"})
        EXPECT_TRUE(ShowsInverted(plain, latched, key)) << key;
    EXPECT_TRUE(ShowsInverted(plain, plain, "F4") == false);
    const auto [fx, fy] = KeyPoint("F4");
    EXPECT_EQ(latched.At(fx, fy), plain.At(fx, fy));
}

TEST_P(KeyboardE2e, ClickingKeysLeavesTheFocusWithTheTarget)
{
    StartKeyboard();
    FocusLogger();
    ClickKey("a");
    ClickKey("SHIFT-Links");
    EXPECT_EQ(TypedText(1), "a");
    EXPECT_EQ(std::stoul(session.Run({"xdotool", "getwindowfocus"})), loggerWindow);
    EXPECT_EQ(KeyLog().find("focus out"), std::string::npos);
}

// Under a window manager the user gives the keyboard the focus by its caption bar;
// then keys of the real keyboard go to the keyboard window: F1 opens the
// information dialog.
// The icon follows the first frame, in every rendering the program carries.
TEST_P(KeyboardE2e, TheKeyboardWindowCarriesTheProgramIcon)
{
    StartKeyboard();
    std::string icon;
    EXPECT_TRUE(WaitUntil([&] {
        icon = session.Run({"xprop", "-id", std::to_string(keyboard), "_NET_WM_ICON"});
        return icon.find("Icon (128 x 128)") != std::string::npos;
    })) << icon.substr(0, 200);
    for (const char* size : {"Icon (16 x 16)", "Icon (32 x 32)", "Icon (48 x 48)"})
        EXPECT_NE(icon.find(size), std::string::npos) << size;
}

TEST_P(KeyboardE2e, CaptionClickGivesTheKeyboardTheFocus)
{
    if (!Managed())
        GTEST_SKIP() << "without a window manager there is no caption bar";
    StartKeyboard();
    FocusLogger();
    session.MouseMoveIn(keyboard, 300, -10);
    session.MouseDown();
    session.MouseUp();
    EXPECT_TRUE(WaitUntil([&] { return std::stoul(session.Run({"xdotool", "getwindowfocus"})) == keyboard; }));
    session.Run({"xdotool", "key", "F1"});
    unsigned long dialog = 0;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = session.FindWindow("^Informationen zu diesem Programm$")) != 0; }))
        << "waiting for the information dialog";
    session.MouseMoveIn(dialog, 337, 447); // its only button at the bottom closes it
    session.MouseDown();
    session.MouseUp();
    ASSERT_TRUE(WaitUntil([&] { return session.FindWindow("^Informationen zu diesem Programm$") == 0; }));
    FocusLogger();
    ClickKey("b"); // the target still gets the keys clicked on the picture
    EXPECT_EQ(TypedText(1), "b");
    EXPECT_EQ(KeyLog().find("F1"), std::string::npos);
}

// Without a window manager the focus falls to the root window when the target
// closes; the window the user then points at and clicks receives the keys.
TEST_P(KeyboardE2e, WithoutAManagerTheWindowClickedAfterTheTargetClosedGetsTheKeys)
{
    if (Managed())
        GTEST_SKIP() << "a window manager gives the clicked window the focus";
    StartKeyboard();
    FocusLogger();
    ClickKey("a");
    ASSERT_EQ(TypedText(1), "a");
    // Started first, the second window cannot be given the closed one's id.
    ChildProcess second = session.Start({KEY_LOGGER, "0", "700"}, session.Home() / "second.log");
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(session.Home() / "second.log").find('\n') != std::string::npos; }));
    const unsigned long secondWindow = std::stoul(ReadFile(session.Home() / "second.log").substr(7));
    logger.Stop();
    session.MouseMoveIn(secondWindow, 200, 100);
    session.MouseDown();
    session.MouseUp();
    std::this_thread::sleep_for(450ms); // the keyboard's 200 ms tracking sees where the pointer rests
    ClickKey("b");
    std::string log;
    EXPECT_TRUE(WaitUntil([&] {
        return (log = ReadFile(session.Home() / "second.log")).find("press b state=0 text=b") != std::string::npos;
    })) << log;
}

TEST_P(KeyboardE2e, PressReleasedBesideTheKeySendsNothing)
{
    StartKeyboard();
    FocusLogger();
    const auto [ax, ay] = KeyPoint("a");
    const auto [bx, by] = PointBesideKeys();
    session.MouseMoveIn(keyboard, ax, ay);
    session.MouseDown();
    session.MouseMoveIn(keyboard, bx, by);
    session.MouseUp();
    ClickKey("b");
    EXPECT_EQ(TypedText(1), "b");
}

TEST_P(KeyboardE2e, DraggingBesideTheKeysMovesTheWindowUnlessSwitchedOff)
{
    StartKeyboard({"/M"});
    EXPECT_EQ(DragBesideTheKeys(-40, 20), (std::pair{0, 0}));
    CloseKeyboard();
    app.Stop();

    StartKeyboard();
    EXPECT_EQ(DragBesideTheKeys(-40, 20), (std::pair{-40, 20}));
}

TEST_P(KeyboardE2e, SettingsSurviveARestart)
{
    StartKeyboard();
    // The first item of the picture's pop-up menu switches the beep on.
    const auto [x, y] = PointBesideKeys();
    session.MouseMoveIn(keyboard, x, y);
    session.Run({"xdotool", "click", "3"});
    ASSERT_TRUE(WaitUntil([&] { return OtherWindow() != 0; }));
    session.Run({"xdotool", "key", "Down", "Return"});
    ASSERT_TRUE(WaitUntil([&] { return OtherWindow() == 0; }));
    session.Run({"xdotool", "windowmove", std::to_string(keyboard), "100", "120"});
    E2eSession::Geometry placed;
    ASSERT_TRUE(WaitUntil([&] {
        placed = session.WindowGeometry(keyboard);
        return placed.x >= 100 && placed.x < 110;
    }));

    // "Programm beenden?" is asked first; Enter answers with its first button, Yes.
    CloseKeyboard();
    unsigned long question = 0;
    ASSERT_TRUE(WaitUntil([&] { return (question = OtherWindow()) != 0; }));
    session.Run({"xdotool", "windowfocus", "--sync", std::to_string(question), "key", "Return"});
    ASSERT_EQ(app.WaitForExit(10s), 0);
    const std::string settings = ReadFile(program.parent_path() / "Tapsodia.ini");
    EXPECT_NE(settings.find("Peep=1"), std::string::npos) << settings;
    EXPECT_NE(settings.find("endefragen=1"), std::string::npos) << settings;

    StartKeyboard();
    EXPECT_EQ(session.WindowGeometry(keyboard), placed);
}

TEST_P(KeyboardE2e, APlacementOffTheScreenComesBackWhole)
{
    ExpectAPlacementOffTheScreenComesBackWhole();
}

// The question before the end comes up over the always-on-top keyboard and takes
// the keys: Escape answers No, Enter Yes.
TEST_P(KeyboardE2e, TheCloseQuestionComesInFrontAndTakesTheKeys)
{
    StartKeyboard();
    FocusLogger();
    CloseKeyboard();
    unsigned long question = 0;
    ASSERT_TRUE(WaitUntil([&] { return (question = OtherWindow()) != 0; }));
    ExpectInFront(question);
    KeepScreenshot("close-question");
    session.Run({"xdotool", "key", "Escape"});
    ASSERT_TRUE(WaitUntil([&] { return OtherWindow() == 0; }));
    EXPECT_TRUE(app.Running());

    CloseKeyboard();
    ASSERT_TRUE(WaitUntil([&] { return (question = OtherWindow()) != 0; }));
    ExpectInFront(question);
    session.Run({"xdotool", "key", "Return"});
    EXPECT_EQ(app.WaitForExit(10s), 0);
}

// A message shown at start-up, before the program has a window of its own, comes
// up over a keyboard already running.
TEST_P(KeyboardE2e, AStartUpMessageComesInFrontOfARunningKeyboard)
{
    StartKeyboard();
    // "=" lets a second keyboard start; "/L" makes it say where its log goes.
    ChildProcess second = session.Start({program.string(), "/L", "x=1"}, session.Home() / "second.out");
    unsigned long notice = 0;
    ASSERT_TRUE(WaitUntil([&] { return (notice = WindowOf(second)) != 0; })) << ReadFile(session.Home() / "second.out");
    ExpectInFront(notice);
    KeepScreenshot("log-notice");
    session.Run({"xdotool", "key", "Return"});
    EXPECT_TRUE(WaitUntil([&] { return session.VisibleWindows("--name", "^Tapsody 1\\.7").size() == 2; }));
}

// With its settings file beside it the program runs once: a second start brings
// the running keyboard to the front and ends without a word.
TEST_P(KeyboardE2e, ASecondStartBringsTheRunningKeyboardToTheFront)
{
    std::ofstream(program.parent_path() / "Tapsodia.ini") << "[Setup]\r\nendefragen=0\r\n";
    StartKeyboard();
    // The class name carries no version.
    EXPECT_EQ(session.Run({"xprop", "-id", std::to_string(keyboard), "WM_CLASS"}),
              "WM_CLASS(STRING) = \"tapsody\", \"tapsody\"\n");
    if (Managed()) {
        session.Run({"xdotool", "windowminimize", "--sync", std::to_string(keyboard)});
        ASSERT_TRUE(WaitUntil([&] { return session.FindWindow("^Tapsody 1\\.7") == 0; }));
    }
    ChildProcess second = session.Start({program.string()}, session.Home() / "second.out");
    EXPECT_EQ(second.WaitForExit(10s), 0) << "a message waits: " << WindowOf(second);
    EXPECT_TRUE(WaitUntil([&] { return session.FindWindow("^Tapsody 1\\.7") == keyboard; }));
    if (Managed()) {
        EXPECT_TRUE(WaitUntil([&] { return Stacking().back() == keyboard; }));
    }
    EXPECT_TRUE(app.Running());
}

// Where a part of the keyboard picture shows in another screenshot: the point of
// shot that shows the picture's point (0, 0); (-1, -1) when it is not there.
std::pair<int, int> PictureOrigin(const Screenshot& picture, const Screenshot& shot)
{
    const int left = 10, top = 10, size = 24; // a corner of the "Esc" key
    for (int y = 0; y + size <= shot.height; ++y)
        for (int x = 0; x + size <= shot.width; ++x) {
            bool same = true;
            for (int dy = 0; same && dy < size; ++dy)
                for (int dx = 0; same && dx < size; ++dx)
                    same = shot.At(x + dx, y + dy) == picture.At(left + dx, top + dy);
            if (same)
                return {x - left, y - top};
        }
    return {-1, -1};
}

// The user opens the layout editor from the pop-up menu, picks "a" and drags it
// to a new place, where the keyboard finds it at once; saved, it is there after
// a restart too, and no longer where it was.
TEST_P(KeyboardE2e, KeyPlacedInTheEditorTypesFromItsNewPlaceAfterARestart)
{
    StartKeyboard();
    FocusLogger();
    const Screenshot picture = Shot();
    const auto [bx, by] = PointBesideKeys();
    session.MouseMoveIn(keyboard, bx, by);
    session.Run({"xdotool", "click", "3"});
    ASSERT_TRUE(WaitUntil([&] { return OtherWindow() != 0; }));
    session.Run({"xdotool", "key", "Up", "Return"}); // the last entry
    unsigned long editor = 0;
    ASSERT_TRUE(WaitUntil([&] { return (editor = session.FindWindow("^Tastaturlayout bearbeiten$")) != 0; }));
    session.Run({"xdotool", "windowmove", "--sync", std::to_string(editor), "0", "0"});

    // The picture shows beside the key list, whose first entry is "a".
    std::pair<int, int> origin;
    ASSERT_TRUE(WaitUntil([&] { return (origin = PictureOrigin(picture, Shot(editor))).first > 0; }));
    const auto [ox, oy] = origin;
    session.MouseMoveIn(editor, ox - 120, oy + 6);
    session.MouseDown();
    session.MouseUp();
    const int newX = 400, newY = 40;
    session.MouseMoveIn(editor, ox + newX, oy + newY);
    session.MouseDown();
    for (int step = 1; step <= 6; ++step)
        session.MouseMoveIn(editor, ox + newX + 5 * step, oy + newY + 5 * step);
    session.MouseUp();

    const auto [oldX, oldY] = KeyPoint("a");
    keys.Key(KeyIndex("a")) = TKeyRecord{65, true, kKeyRectangle, newX, newY, 30, 30};
    const auto [x, y] = KeyPoint("a");
    const auto click = [&](int at, int down) {
        session.MouseMoveIn(keyboard, at, down);
        session.MouseDown();
        session.MouseUp();
    };
    // "b" between tells which click typed what.
    click(oldX, oldY);
    ClickKey("b");
    click(x, y);
    EXPECT_EQ(TypedText(2), "ba");

    session.Run({"xdotool", "windowfocus", "--sync", std::to_string(editor), "key", "ctrl+s"});
    const fs::path saved = program.parent_path() / "layout.ini";
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(saved); }));
    session.Run({KEY_LOGGER, "--close", std::to_string(editor)});
    ASSERT_TRUE(WaitUntil([&] { return OtherWindow() == 0; }));
    CloseKeyboard();
    unsigned long question = 0;
    ASSERT_TRUE(WaitUntil([&] { return (question = OtherWindow()) != 0; }));
    session.Run({"xdotool", "windowfocus", "--sync", std::to_string(question), "key", "Return"});
    ASSERT_EQ(app.WaitForExit(10s), 0);
    EXPECT_NE(ReadFile(saved).find("\r\n[a]\r\np0x=400\r\np0y=40\r\np1x=30\r\np1y=30\r\n"), std::string::npos);
    EXPECT_NE(ReadFile(program.parent_path() / "Tapsodia.ini").find("Belegungsdatei=" + saved.string()),
              std::string::npos);

    StartKeyboard();
    FocusLogger();
    click(oldX, oldY);
    ClickKey("b");
    click(x, y);
    EXPECT_EQ(TypedText(4), "baba");
}

// The same under the window managers whose frames and buttons differ most.
class WindowManagerE2e : public KeyboardE2e {
protected:
    std::string Property(unsigned long window, const std::string& name)
    {
        return session.Run({"xprop", "-id", std::to_string(window), name});
    }

    // What the window manager allows, once it has said it allows `offered`.
    void ExpectNeitherResizedNorMaximised(unsigned long window, const std::string& offered)
    {
        std::string actions;
        ASSERT_TRUE(WaitUntil([&] {
            return (actions = Property(window, "_NET_WM_ALLOWED_ACTIONS")).find(offered) != std::string::npos;
        })) << actions;
        for (const char* action :
             {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
            EXPECT_EQ(actions.find(action), std::string::npos) << actions;
    }
};

// The keyboard offers its system menu, minimise and close, a message only its
// close box: neither can be resized or maximised.
TEST_P(WindowManagerE2e, CaptionsOfferOnlyTheDeclaredButtons)
{
    StartKeyboard();
    // Motif hints: functions and decorations given; move, minimise, close; border, title, menu, minimise.
    EXPECT_EQ(Property(keyboard, "_MOTIF_WM_HINTS"), "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x2c, 0x3a, 0x0, 0x0\n");
    ExpectNeitherResizedNorMaximised(keyboard, "MINIMIZE");
    KeepScreenshot("caption-buttons");

    CloseKeyboard();
    unsigned long question = 0;
    ASSERT_TRUE(WaitUntil([&] { return (question = OtherWindow()) != 0; }));
    // Move and close; border and title.
    EXPECT_EQ(Property(question, "_MOTIF_WM_HINTS"), "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x24, 0xa, 0x0, 0x0\n");
    ExpectNeitherResizedNorMaximised(question, "CLOSE");
    KeepScreenshot("close-question-buttons");
    session.Run({"xdotool", "key", "Escape"});
    EXPECT_TRUE(WaitUntil([&] { return OtherWindow() == 0; }));
}

// Where the window stands once the window manager has framed it.
E2eSession::Geometry FramedGeometry(E2eSession& session, unsigned long window)
{
    EXPECT_TRUE(WaitUntil([&] { return FrameExtents(session, window)[2] > 0; })) << "waiting for the frame";
    return session.WindowGeometry(window);
}

// What the program stores at the end is where it puts the window at the next start.
TEST_P(WindowManagerE2e, RestartsLeaveTheWindowWhereItWas)
{
    std::ofstream(program.parent_path() / "Tapsodia.ini")
        << "[Setup]\r\nendefragen=0\r\n[FensterMainform]\r\nVonOben=300\r\nLinks=200\r\n";
    StartKeyboard();
    const E2eSession::Geometry first = FramedGeometry(session, keyboard);
    for (int restart = 1; restart <= 10; ++restart) {
        CloseKeyboard();
        ASSERT_EQ(app.WaitForExit(10s), 0);
        StartKeyboard();
        const E2eSession::Geometry again = FramedGeometry(session, keyboard);
        ASSERT_EQ(std::pair(again.x, again.y), std::pair(first.x, first.y)) << "restart " << restart;
    }
}

// The point grabbed stays under the pointer, also before the window manager
// has answered the window's first move.
TEST_P(WindowManagerE2e, ADragMovesTheWindowExactlyAsFarAsThePointer)
{
    StartKeyboard();
    FramedGeometry(session, keyboard);
    EXPECT_EQ(DragBesideTheKeys(50, 100), (std::pair{50, 100}));
    EXPECT_EQ(DragBesideTheKeys(-30, -20), (std::pair{-30, -20}));
}

TEST_P(WindowManagerE2e, APlacementOffTheScreenComesBackWhole)
{
    ExpectAPlacementOffTheScreenComesBackWhole();
}

std::string DesktopName(const ::testing::TestParamInfo<std::string>& desktop)
{
    if (desktop.param.empty())
        return "NoManager";
    return char(std::toupper(desktop.param[0])) + desktop.param.substr(1);
}

INSTANTIATE_TEST_SUITE_P(Desktops, KeyboardE2e, ::testing::Values("", "openbox"), DesktopName);
// Openbox and icewm, or the managers TAPSODY_E2E_WINDOW_MANAGERS names ("openbox icewm xfwm4 fluxbox").
std::vector<std::string> WindowManagers()
{
    const char* names = std::getenv("TAPSODY_E2E_WINDOW_MANAGERS");
    std::istringstream list(names ? names : "openbox icewm");
    std::vector<std::string> managers;
    for (std::string name; list >> name;)
        managers.push_back(name);
    return managers;
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, WindowManagerE2e, ::testing::ValuesIn(WindowManagers()), DesktopName);

} // namespace
