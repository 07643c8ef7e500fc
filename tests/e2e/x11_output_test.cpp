// The X11 keyboard output against a real X client, on the US and the German keymap,
// with and without a window manager.

#include "e2e_session.h"
#include "keyboard/keystroke.h"
#include "platform/linux/x11_display.h"
#include "platform/linux/x11_keyboard_output.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <sstream>
#include <thread>

// Last: Xlib's macros would clash with names in the headers above.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>

namespace {

struct Setup {
    bool windowManager;
    const char* keymap;
};

void PrintTo(const Setup& setup, std::ostream* out)
{
    *out << (setup.windowManager ? "openbox" : "no window manager") << ", " << setup.keymap << " keymap";
}

// Whether the XKB keymap has a key (a key name) on the keycode.
bool IsXkbKey(Display* display, int keycode)
{
    XkbDescPtr keyboard = XkbGetMap(display, 0, XkbUseCoreKbd);
    if (!keyboard)
        return false;
    const bool named = XkbGetNames(display, XkbKeyNamesMask, keyboard) == Success && keyboard->names &&
                       keyboard->names->keys && keyboard->names->keys[keycode].name[0] != '\0';
    XkbFreeKeyboard(keyboard, 0, True);
    return named;
}

std::string Describe(const ::testing::TestParamInfo<Setup>& info)
{
    return std::string(info.param.windowManager ? "Openbox" : "NoManager") + "_" + info.param.keymap;
}

class X11OutputTest : public ::testing::TestWithParam<Setup> {
protected:
    E2eSession session{GetParam().windowManager};
    ChildProcess logger;
    X11DisplayHandle display;
    std::unique_ptr<X11KeyboardOutput> output;
    WindowHandle loggerWindow = 0;

    void SetUp() override
    {
        session.Run({"setxkbmap", GetParam().keymap});
        logger = session.Start({KEY_LOGGER}, session.Home() / "keys.log");
        ASSERT_TRUE(WaitUntil([&] { return Log().find("window ") == 0 && Log().find('\n') != std::string::npos; }));
        loggerWindow = std::stoul(Log().substr(7));
        display = OpenX11Display(session.Display());
        ASSERT_TRUE(display);
        output = std::make_unique<X11KeyboardOutput>(display.get());
        ASSERT_TRUE(WaitUntil([&] { return output->SetForegroundWindow(loggerWindow); }))
            << "active " << output->GetForegroundWindow() << " logger " << loggerWindow << "\n"
            << session.Run({"xprop", "-root", "_NET_ACTIVE_WINDOW"});
        ASSERT_TRUE(WaitUntil([&] { return Log().find("focus in") != std::string::npos; }));
    }

    std::string Log() { return ReadFile(session.Home() / "keys.log"); }

    // The lines the logger wrote after its focus lines, once count key lines are there.
    std::vector<std::string> KeyLines(std::size_t count)
    {
        std::vector<std::string> lines;
        WaitUntil([&] {
            lines.clear();
            std::istringstream text(Log());
            for (std::string line; std::getline(text, line);)
                if (line.starts_with("press ") || line.starts_with("release "))
                    lines.push_back(line);
            return lines.size() >= count;
        });
        return lines;
    }

    // The text of all key presses so far, once it has reached the expected length.
    std::string TypedText(std::size_t expectedLength)
    {
        std::string text;
        WaitUntil([&] {
            text.clear();
            for (const std::string& line : KeyLines(0)) {
                const auto at = line.find(" text=");
                if (line.starts_with("press ") && at != std::string::npos)
                    text += line.substr(at + 6);
            }
            return text.size() >= expectedLength;
        });
        return text;
    }

    void Type(int virtualKey, ModifierLatches latches = {})
    {
        SendKeystroke(*output, loggerWindow, static_cast<std::uint16_t>(virtualKey), latches, false);
    }
};

TEST_P(X11OutputTest, TypesWhatTheGermanKeysShow)
{
    const ModifierLatches shift{.shift = true};
    Type(72, shift); // H
    for (const int key : {65, 76, 76, 79, 32})
        Type(key);
    for (const int key : {219, 191, 187, 189, 60, 94, 478, 448, 442, 49, 50, 103, 110, 190})
        Type(key);
    Type(50, shift);  // "
    Type(219, shift); // ?
    Type(191, shift); // '
    Type(478, shift); // Ä
    const std::string expected = "Hallo \xC3\x9F#+-<^\xC3\xA4\xC3\xB6\xC3\xBC"
                                 "127,.\"?'\xC3\x84";
    EXPECT_EQ(TypedText(expected.size()), expected);
}

TEST_P(X11OutputTest, SendsNamedKeysAndTheAcuteAsDeadKey)
{
    for (const int key : {477, 115, 37, 46, 44, 36, 8, 13, 27})
        Type(key);
    std::vector<std::string> presses;
    for (const std::string& line : KeyLines(18))
        if (line.starts_with("press "))
            presses.push_back(line.substr(6, line.find(' ', 6) - 6));
    EXPECT_EQ(presses, (std::vector<std::string>{"dead_acute", "F4", "Left", "Delete", "Print", "Home", "BackSpace",
                                                 "Return", "Escape"}));
}

// With Shift down, the Alt key's shifted symbol is Meta_L, as from a real keyboard.
TEST_P(X11OutputTest, ModifiersWrapTheKeyInTheirOrder)
{
    Type(115, {.shift = true, .ctrl = true, .alt = true});
    EXPECT_EQ(KeyLines(8), (std::vector<std::string>{
                               "press Shift_L state=0 text=", "press Control_L state=1 text=",
                               "press Meta_L state=5 text=", "press F4 state=13 text=", "release F4 state=13",
                               "release Shift_L state=13", "release Control_L state=12", "release Alt_L state=8"}));
}

TEST_P(X11OutputTest, LentKeycodesAreGivenBackAfterUse)
{
    Type(103); // the numeric block's 7 is on no plain level of either keymap
    EXPECT_FALSE(output->LentKeycodes().empty());
    EXPECT_EQ(TypedText(1), "7");
    std::this_thread::sleep_for(X11KeyboardOutput::kLendTime);
    output->GetForegroundWindow();
    EXPECT_TRUE(output->LentKeycodes().empty());
    EXPECT_EQ(session.Run({"xdotool", "key", "--clearmodifiers", "--delay", "0", "KP_7"}).size(), 0u);
}

// A client still reading the events of a loan must not find another symbol on its keycode.
TEST_P(X11OutputTest, AKeycodeGivenBackIsNotLentAgainAtOnce)
{
    Type(103); // the numeric block's 7
    const std::vector<int> first = output->LentKeycodes();
    ASSERT_EQ(first.size(), 1u);
    std::this_thread::sleep_for(X11KeyboardOutput::kLendTime);
    Type(96); // and its 0, on no plain level either
    const std::vector<int> second = output->LentKeycodes();
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(second.front(), first.front());
    EXPECT_EQ(TypedText(2), "70");
}

// More symbols than spare keycodes (on the us keymap): every keycode lent is a key of
// the XKB keymap, never a nameless keycode.
TEST_P(X11OutputTest, LendsOnlyKeycodesTheKeymapKnowsAsKeys)
{
    std::set<int> lent;
    for (const int key : {96, 97,  98,  99,  100, 101, 102, 103, 104, 105, 219, 191, 187, 60,
                          94, 478, 448, 442, 50,  51,  54,  55,  56,  57,  48,  110, 190}) {
        Type(key);
        for (const int keycode : output->LentKeycodes())
            lent.insert(keycode);
    }
    EXPECT_FALSE(lent.empty());
    for (const int keycode : lent)
        EXPECT_TRUE(IsXkbKey(display.get(), keycode)) << "keycode " << keycode;
}

TEST_P(X11OutputTest, ForegroundIsTheActiveTopLevelNeverTheRoot)
{
    EXPECT_EQ(output->GetForegroundWindow(), loggerWindow);
    EXPECT_FALSE(output->SetForegroundWindow(0));
}

// A window manager that has gone leaves its root window properties behind; they
// name windows that no longer exist and must not be taken for a manager's word.
TEST_P(X11OutputTest, AManagerThatHasGoneIsNotAskedForTheActiveWindow)
{
    if (GetParam().windowManager)
        GTEST_SKIP() << "the manager runs";
    Display* x = display.get();
    const Window root = DefaultRootWindow(x);
    const Window gone = XCreateSimpleWindow(x, root, 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(x, gone);
    const auto setWindowProperty = [&](const char* name) {
        const Atom atom = XInternAtom(x, name, False);
        XChangeProperty(x, root, atom, XA_WINDOW, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&gone),
                        1);
    };
    setWindowProperty("_NET_SUPPORTING_WM_CHECK");
    setWindowProperty("_NET_ACTIVE_WINDOW");
    XSync(x, False);
    EXPECT_EQ(output->GetForegroundWindow(), loggerWindow);
    EXPECT_TRUE(output->SetForegroundWindow(loggerWindow));
}

INSTANTIATE_TEST_SUITE_P(Desktops, X11OutputTest,
                         ::testing::Values(Setup{false, "us"}, Setup{false, "de"}, Setup{true, "us"},
                                           Setup{true, "de"}),
                         Describe);

} // namespace
