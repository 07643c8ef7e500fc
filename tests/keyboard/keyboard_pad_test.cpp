#include "keyboard/key_command.h"
#include "keyboard/keyboard_pad.h"

#include "recording_output.h"
#include "test_keys.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Areas = std::vector<PictureRect>;
using Calls = std::vector<std::string>;

class FakeHost : public KeyboardHost {
public:
    std::vector<Areas> paints;
    std::vector<std::string> log;
    std::vector<std::string> drags;
    std::set<WindowHandle> ownWindows;
    int noTargetMessages = 0;
    int closes = 0;
    int charMaps = 0;
    int infos = 0;
    bool informationOffered = true;

    void PaintKeyboard(const Areas& inverted) override { paints.push_back(inverted); }
    void BeginWindowDrag() override { drags.emplace_back("begin"); }
    void FollowWindowDrag() override { drags.emplace_back("follow"); }
    void ShowNoTargetMessage() override { ++noTargetMessages; }
    void CloseKeyboard() override { ++closes; }
    bool ShowInformation() override
    {
        ++infos;
        return informationOffered;
    }
    void OpenCharacterMap() override { ++charMaps; }
    bool IsOwnWindow(WindowHandle window) const override { return ownWindows.contains(window); }
    void Log(const std::string& line) override { log.push_back(line); }
};

// Four keys in a row, the modifiers, the commands, and two keys that share an area.
KeyTable Keys()
{
    return MakeTable({
        {"a", 65, 10, 10, 20, 20},              // 0
        {"b", 66, 40, 10, 20, 20},              // 1
        {",", 44, 70, 10, 20, 20},              // 2
        {".", 46, 100, 10, 20, 20},             // 3
        {"Entfernen", 46, 130, 10, 20, 20},     // 4
        {"Screenshot", 44, 160, 10, 20, 20},    // 5
        {"SHIFT-Links", -1, 10, 40, 30, 20},    // 6
        {"SHIFT-Rechts", -1, 50, 40, 30, 20},   // 7
        {"CTRL-Links", -1, 90, 40, 20, 20},     // 8
        {"CTRL-Rechts", -1, 120, 40, 20, 20},   // 9
        {"ALT", -1, 150, 40, 20, 20},           // 10
        {"Close", -1, 10, 70, 20, 20},          // 11
        {"Info", -1, 40, 70, 20, 20},           // 12
        {"Charmap", -1, 70, 70, 20, 20},        // 13
        {"nichts", -1, 100, 70, 20, 20},        // 14
        {"hidden", 67, 130, 70, 20, 20, false}, // 15
        {"big", 68, 0, 0, 35, 35},              // 16: overlaps "a"
    });
}

class KeyboardPadTest : public ::testing::Test {
protected:
    KeyTable table = Keys();
    RecordingOutput output;
    FakeHost host;
    KeyboardPad pad{table, output, host};

    KeyboardPadTest() { pad.targetwnd = 900; }

    void Click(int key)
    {
        const TKeyRecord& record = table.Key(key);
        pad.ImageMouseDown(KeyboardPad::Button::Left, record.p0x + 1, record.p0y + 1);
        pad.ImageMouseUp(record.p0x + 1, record.p0y + 1);
    }
    // The key-down events sent, modifiers included ("key <vk>").
    Calls KeyDowns() const
    {
        Calls downs;
        for (const std::string& call : output.calls)
            if (call.starts_with("key ") && (call.ends_with(" 0") || call.ends_with(" 1")))
                downs.push_back(call.substr(0, call.find(' ', 4)));
        return downs;
    }
    PictureRect Rect(int key) const { return HighlightAreas(table, key).front(); }
};

TEST_F(KeyboardPadTest, HitTestIncludesTheRightAndBottomEdges)
{
    EXPECT_EQ(KeyAt(table, 40, 10), 1);
    EXPECT_EQ(KeyAt(table, 60, 30), 1);
    EXPECT_EQ(KeyAt(table, 61, 30), -1);
    EXPECT_EQ(KeyAt(table, 60, 31), -1);
    EXPECT_EQ(KeyAt(table, 39, 10), -1);
    EXPECT_EQ(HighlightAreas(table, 1), (Areas{{40, 10, 61, 31}}));
}

// A circle key is hit within its radius, the rim included, and is inverted on
// exactly those pixels, row by row.
TEST(CircleKey, IsHitAndInvertedOnTheSamePixels)
{
    struct Case {
        std::int32_t radius;
        std::vector<std::pair<int, int>> inside, outside; // offsets from the centre
    };
    const std::vector<Case> cases = {
        {0, {{0, 0}}, {{1, 0}, {0, -1}}},
        {1, {{1, 0}, {0, 1}, {-1, 0}}, {{1, 1}, {-1, -1}, {2, 0}}},
        {5, {{3, 4}, {-5, 0}, {0, 5}, {4, -3}}, {{4, 4}, {-4, -4}, {6, 0}, {3, -5}}},
        {-3, {}, {{0, 0}, {1, 1}}},
    };
    for (const Case& c : cases) {
        KeyTable table = MakeTable({{"o", 79, 100, 50, c.radius, 0}});
        table.Key(0).Typ = kKeyCircle;
        for (const auto& [dx, dy] : c.inside)
            EXPECT_EQ(KeyAt(table, 100 + dx, 50 + dy), 0) << c.radius << ": " << dx << "," << dy;
        for (const auto& [dx, dy] : c.outside)
            EXPECT_EQ(KeyAt(table, 100 + dx, 50 + dy), -1) << c.radius << ": " << dx << "," << dy;
        // Every pixel of the square around the circle: inverted exactly where it is hit.
        const Areas rows = HighlightAreas(table, 0);
        const auto inverted = [&](int x, int y) {
            int times = 0;
            for (const PictureRect& row : rows)
                times += row.left <= x && x < row.right && row.top <= y && y < row.bottom;
            return times;
        };
        for (int y = 50 - 7; y <= 50 + 7; ++y)
            for (int x = 100 - 7; x <= 100 + 7; ++x)
                EXPECT_EQ(inverted(x, y), KeyAt(table, x, y) == 0 ? 1 : 0) << c.radius << ": " << x << "," << y;
    }
}

TEST_F(KeyboardPadTest, HitTestTakesTheFirstEnabledKey)
{
    EXPECT_EQ(KeyAt(table, 12, 12), 0);   // "a" before "big"
    EXPECT_EQ(KeyAt(table, 2, 2), 16);    // only "big"
    EXPECT_EQ(KeyAt(table, 135, 75), -1); // "hidden" is disabled
}

TEST_F(KeyboardPadTest, ClickSendsTheKeyAndEndsWithNothingPressed)
{
    Click(0);
    EXPECT_EQ(output.calls, (Calls{"get timeout", "set timeout 0", "front 900", "key 65 66 0", "key 0 66 2", "flush",
                                   "set timeout 200000"}));
    EXPECT_EQ(host.log, (Calls{"Key:65"}));
    EXPECT_EQ(pad.pressedkey, -1);
    EXPECT_EQ(host.paints, (std::vector<Areas>{{Rect(0)}, {}}));
}

TEST_F(KeyboardPadTest, PressSurvivesMovesOverOtherKeysAndBeside)
{
    pad.ImageMouseDown(KeyboardPad::Button::Left, 15, 15);
    pad.ImageMouseMove(300, 300); // beside all keys: no repaint
    EXPECT_EQ(host.paints.size(), 1u);
    pad.ImageMouseMove(45, 15); // over "b": "a" shows released
    pad.ImageMouseMove(15, 15); // back over "a": pressed again
    EXPECT_EQ(host.paints, (std::vector<Areas>{{Rect(0)}, {}, {Rect(0)}}));
    pad.ImageMouseUp(15, 15);
    EXPECT_EQ(KeyDowns(), (Calls{"key 65"}));
}

TEST_F(KeyboardPadTest, ReleaseBesideThePressedKeySendsNothing)
{
    pad.ImageMouseDown(KeyboardPad::Button::Left, 15, 15);
    pad.ImageMouseUp(45, 15);
    pad.ImageMouseDown(KeyboardPad::Button::Left, 15, 15);
    pad.ImageMouseUp(300, 300);
    EXPECT_TRUE(output.calls.empty());
    EXPECT_EQ(pad.pressedkey, -1);
    EXPECT_TRUE(host.paints.back().empty());
}

TEST_F(KeyboardPadTest, WithoutTargetKeysAreRefusedWithAMessage)
{
    pad.targetwnd = 0;
    Click(0);
    EXPECT_EQ(host.noTargetMessages, 1);
    EXPECT_EQ(pad.pressedkey, -1);
    EXPECT_TRUE(output.calls.empty());
    EXPECT_TRUE(host.paints.empty());
}

TEST_F(KeyboardPadTest, InformationKeyWorksWithoutTargetWhenOffered)
{
    pad.targetwnd = 0;
    pad.infoOffered = true;
    Click(12);
    EXPECT_EQ(host.infos, 1);
    EXPECT_EQ(host.noTargetMessages, 0);
    EXPECT_EQ(host.log, (Calls{"Tast:INFO"}));
}

TEST_F(KeyboardPadTest, InformationKeyNotOfferedActsAsUnknownCommand)
{
    pad.peep = true;
    host.informationOffered = false;
    Click(12);
    EXPECT_EQ(host.log, (Calls{"Tast:INFO"}));
    EXPECT_TRUE(output.calls.empty()); // no beep
    pad.targetwnd = 0;
    Click(12);
    EXPECT_EQ(host.noTargetMessages, 1);
}

TEST_F(KeyboardPadTest, DragMovesTheWindowUnlessSwitchedOff)
{
    pad.ImageMouseDown(KeyboardPad::Button::Left, 300, 200);
    pad.ImageMouseMove(310, 195);
    pad.ImageMouseUp(310, 195);
    pad.ImageMouseMove(320, 190); // after the release: no drag
    EXPECT_EQ(host.drags, (std::vector<std::string>{"begin", "follow"}));

    pad.nodrag = true;
    pad.ImageMouseDown(KeyboardPad::Button::Left, 300, 200);
    pad.ImageMouseMove(310, 195);
    EXPECT_EQ(host.drags.size(), 2u);
}

TEST_F(KeyboardPadTest, OtherButtonsPressNoKeyAndStartNoDrag)
{
    pad.ImageMouseDown(KeyboardPad::Button::Right, 15, 15);
    pad.ImageMouseDown(KeyboardPad::Button::Middle, 300, 200);
    pad.ImageMouseMove(310, 210);
    pad.ImageMouseUp(310, 210);
    EXPECT_EQ(pad.pressedkey, -1);
    EXPECT_TRUE(host.drags.empty());
    EXPECT_TRUE(output.calls.empty());
}

TEST_F(KeyboardPadTest, ShiftStaysLatchedAndHighlightedUntilClickedAgain)
{
    Click(6);
    Click(0);
    Click(1);
    EXPECT_TRUE(pad.latches.shift);
    EXPECT_EQ(host.paints.back(), (Areas{Rect(6), Rect(7)}));
    EXPECT_EQ(KeyDowns(), (Calls{"key 16", "key 65", "key 16", "key 66"}));
    Click(7); // the right key shares the latch
    EXPECT_FALSE(pad.latches.shift);
    EXPECT_TRUE(host.paints.back().empty());
    EXPECT_EQ(host.log, (Calls{"Tast:SHIFT-LINKS", "Key:65", "Key:66", "Tast:SHIFT-RECHTS"}));
}

TEST_F(KeyboardPadTest, CtrlLeftThenRightIsOffAgain)
{
    Click(8);
    EXPECT_TRUE(pad.latches.ctrl);
    Click(9);
    EXPECT_FALSE(pad.latches.ctrl);
}

TEST_F(KeyboardPadTest, LatchedKeyPressedShowsNormalByInvertingTwice)
{
    Click(6);
    pad.ImageMouseDown(KeyboardPad::Button::Left, 15, 45);
    EXPECT_EQ(host.paints.back(), (Areas{Rect(6), Rect(7), Rect(6)}));
}

TEST_F(KeyboardPadTest, HighlightsFollowTheFixedOrderOfLatches)
{
    pad.latches = {.shift = true, .ctrl = true, .alt = true};
    pad.pressedkey = 1;
    EXPECT_EQ(pad.Highlights(), (Areas{Rect(10), Rect(8), Rect(9), Rect(6), Rect(7), Rect(1)}));
    pad.pressedkey = 15; // a disabled key is not shown pressed
    EXPECT_EQ(pad.Highlights().size(), 5u);
}

TEST_F(KeyboardPadTest, AllLatchesWrapTheKeyInOrder)
{
    Click(6);
    Click(8);
    Click(10);
    output.calls.clear();
    Click(1);
    EXPECT_EQ(output.calls, (Calls{"get timeout", "set timeout 0", "front 900", "key 16 17 1", "key 17 18 1",
                                   "key 18 19 1", "key 66 67 0", "key 0 67 2", "key 16 17 3", "key 17 18 3",
                                   "key 18 19 3", "flush", "set timeout 200000"}));
}

TEST_F(KeyboardPadTest, CommaAndPeriodKeysSendTheirCharactersOtherKeysTheirOwnCodes)
{
    for (int key : {2, 3, 4, 5})
        Click(key);
    EXPECT_EQ(KeyDowns(), (Calls{"key 110", "key 190", "key 46", "key 44"}));
    EXPECT_EQ(host.log, (Calls{"Key:110", "Key:190", "Key:46", "Key:44"}));
}

TEST_F(KeyboardPadTest, RemapGoesByTheKeyListLinesItWasMeantFor)
{
    EXPECT_EQ(KeystrokeCode(",", 44), 110);
    EXPECT_EQ(KeystrokeCode(".", 46), 190);
    EXPECT_EQ(KeystrokeCode(",", 188), 188);
    EXPECT_EQ(KeystrokeCode("Entfernen", 46), 46);
    EXPECT_EQ(KeystrokeCode("Screenshot", 44), 44);
    EXPECT_EQ(KeystrokeCode("^", 94), 220);
    EXPECT_EQ(KeystrokeCode("Standby", 94), 94);
}

TEST_F(KeyboardPadTest, BeepComesBeforeTheKeystrokeAndAfterACommand)
{
    pad.peep = true;
    Click(0);
    EXPECT_EQ(output.calls.front(), "beep 0");
    output.calls.clear();
    Click(6);
    EXPECT_EQ(output.calls, (Calls{"beep 0"}));
}

TEST_F(KeyboardPadTest, UnknownCommandOnlyLogsAndRedraws)
{
    pad.peep = true;
    Click(14);
    EXPECT_EQ(host.log, (Calls{"Tast:NICHTS"}));
    EXPECT_TRUE(output.calls.empty());
    EXPECT_TRUE(host.paints.back().empty());
}

TEST_F(KeyboardPadTest, CloseAndCharacterMapGoToTheWindowThenBeep)
{
    pad.peep = true;
    Click(11);
    Click(13);
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(host.charMaps, 1);
    EXPECT_EQ(output.calls, (Calls{"beep 0", "beep 0"}));
    EXPECT_EQ(host.log, (Calls{"Tast:CLOSE", "Tast:CHARMAP"}));
}

TEST_F(KeyboardPadTest, CommandNamesAreMatchedUpperCased)
{
    EXPECT_EQ(CommandOfName("SHIFT-LINKS"), KeyCommand::ToggleShift);
    EXPECT_EQ(CommandOfName("CTRL-RECHTS"), KeyCommand::ToggleCtrl);
    EXPECT_EQ(CommandOfName("CHARMAP"), KeyCommand::CharMap);
    EXPECT_EQ(CommandOfName("Close"), KeyCommand::None);
}

TEST_F(KeyboardPadTest, TrackingKeepsTheLastForeignWindow)
{
    host.ownWindows = {500};
    output.foreground = 42;
    pad.TrackForeground();
    output.foreground = 500;
    pad.TrackForeground();
    output.foreground = 0;
    pad.TrackForeground();
    EXPECT_EQ(pad.targetwnd, 42u);
}

TEST_F(KeyboardPadTest, CodeAboveSixteenBitsIsARangeErrorWithNothingSent)
{
    table.Key(0).Code = 70000;
    EXPECT_THROW(Click(0), KeystrokeRangeError);
    EXPECT_TRUE(output.calls.empty());
    EXPECT_EQ(pad.pressedkey, -1);
    EXPECT_TRUE(host.paints.back().empty());
}

} // namespace
