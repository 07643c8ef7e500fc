#include "keyboard/keystroke.h"

#include "recording_output.h"

#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::string>;

TEST(Keystroke, AllModifiersGoDownInOrderAndUpInTheSameOrder)
{
    RecordingOutput output;
    output.scanCodes = {{16, 42}, {17, 29}, {18, 56}, {115, 62}};
    SendKeystroke(output, 77, 115, {.shift = true, .ctrl = true, .alt = true}, false);
    EXPECT_EQ(output.calls, (Calls{"get timeout", "set timeout 0", "front 77", "key 16 42 1", "key 17 29 1",
                                   "key 18 56 1", "key 115 62 0", "key 0 62 2", "key 16 42 3", "key 17 29 3",
                                   "key 18 56 3", "flush", "set timeout 200000"}));
}

TEST(Keystroke, PlainKeyIsDownAndUpWithVirtualKeyZero)
{
    RecordingOutput output;
    SendKeystroke(output, 5, 65, {}, false);
    EXPECT_EQ(output.calls, (Calls{"get timeout", "set timeout 0", "front 5", "key 65 66 0", "key 0 66 2", "flush",
                                   "set timeout 200000"}));
}

TEST(Keystroke, NoAutoselectTapsCursorLeftAndRightBeforeTheModifiers)
{
    RecordingOutput output;
    SendKeystroke(output, 5, 66, {.ctrl = true}, true);
    EXPECT_EQ(output.calls, (Calls{"get timeout", "set timeout 0", "front 5", "key 37 38 0", "key 0 38 2",
                                   "key 39 40 0", "key 0 40 2", "key 17 18 1", "key 66 67 0", "key 0 67 2",
                                   "key 17 18 3", "flush", "set timeout 200000"}));
}

TEST(Keystroke, CodeAboveByteSendsItsLowByteAndAsksTheScanCodeOfTheWholeCode)
{
    RecordingOutput output;
    output.scanCodes = {{478, 48}}; // "ä"
    SendKeystroke(output, 5, 478, {}, false);
    EXPECT_EQ(output.calls[3], "key 222 48 0");
    EXPECT_EQ(output.calls[4], "key 0 48 2");
}

TEST(Keystroke, ScanCodeAboveByteSendsNothingAndLeavesTheTimeOut)
{
    RecordingOutput output;
    output.scanCodes = {{18, 300}};
    EXPECT_THROW(SendKeystroke(output, 5, 65, {.shift = true, .alt = true}, false), KeystrokeRangeError);
    EXPECT_TRUE(output.calls.empty());
    EXPECT_EQ(output.lockTimeout, 200000u);
}

// Ctrl and Alt latched together are AltGr: a key with a symbol there ("@" on Q)
// types it on its own key without them; every other combination, or a key
// without such a symbol, is sent as it stands.
TEST(Keystroke, CtrlAndAltTypeTheAltGrSymbolAlone)
{
    struct Case {
        ModifierLatches latches;
        std::uint16_t key;
        Calls keyEvents;
    };
    const Case cases[] = {
        {{.ctrl = true, .alt = true}, 81, {"key 81 200 0", "key 0 200 2"}},
        {{.ctrl = true, .alt = true},
         65,
         {"key 17 29 1", "key 18 56 1", "key 65 66 0", "key 0 66 2", "key 17 29 3", "key 18 56 3"}},
        {{.shift = true, .ctrl = true, .alt = true},
         81,
         {"key 16 42 1", "key 17 29 1", "key 18 56 1", "key 81 82 0", "key 0 82 2", "key 16 42 3", "key 17 29 3",
          "key 18 56 3"}},
        {{.ctrl = true}, 81, {"key 17 29 1", "key 81 82 0", "key 0 82 2", "key 17 29 3"}},
        {{.alt = true}, 81, {"key 18 56 1", "key 81 82 0", "key 0 82 2", "key 18 56 3"}},
    };
    for (const Case& c : cases) {
        RecordingOutput output;
        output.scanCodes = {{16, 42}, {17, 29}, {18, 56}};
        output.altGrScanCodes = {{81, 200}};
        SendKeystroke(output, 5, c.key, c.latches, false);
        Calls expected = {"get timeout", "set timeout 0", "front 5"};
        expected.insert(expected.end(), c.keyEvents.begin(), c.keyEvents.end());
        expected.insert(expected.end(), {"flush", "set timeout 200000"});
        EXPECT_EQ(output.calls, expected) << "mask " << int(c.latches.Mask()) << " key " << c.key;
    }
}

TEST(Keystroke, LatchesMakeTheModifierMask)
{
    EXPECT_EQ((ModifierLatches{}.Mask()), 0);
    EXPECT_EQ((ModifierLatches{.shift = true, .alt = true}.Mask()), 5);
    EXPECT_EQ((ModifierLatches{.shift = true, .ctrl = true, .alt = true}.Mask()), 7);
}

} // namespace
