#include "platform/ansi_utf8.h"

#include <gtest/gtest.h>

TEST(AnsiUtf8, ConvertsEveryWindows1252Character)
{
    // "Grüße €", with the euro sign from the 0x80 block
    EXPECT_EQ(AnsiToUtf8("Gr\xFC\xDF"
                         "e \x80"),
              "Gr\xC3\xBC\xC3\x9F"
              "e \xE2\x82\xAC");
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(AnsiUtf8, MarksWhatWindows1252CannotHold)
{
    EXPECT_EQ(Utf8ToAnsi("\xE2\x88\x9E-\xF0\x9F\x98\x80"), "?-?"); // infinity, an emoji
    EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");                          // cut in the middle
    EXPECT_EQ(Utf8ToAnsi("\xFF"
                         "b"),
              "?b");
}
