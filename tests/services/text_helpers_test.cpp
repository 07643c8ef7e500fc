#include "services/text_helpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

TEST(SwitchPresent, FindsASwitchInAnyCaseAnywhere)
{
    EXPECT_TRUE(SwitchPresent("/i", "/m /I"));
    EXPECT_TRUE(SwitchPresent("/L", "x /Lang=de"));
    EXPECT_TRUE(SwitchPresent("/uninstall", "/UNINSTALL"));
    EXPECT_FALSE(SwitchPresent("/i", "/m"));
    EXPECT_FALSE(SwitchPresent("", "/m"));
}

TEST(ReplaceAllNoCase, RemovesASwitchInEitherCaseAndKeepsTheSpaces)
{
    std::string params = "a /l b /L c";
    EXPECT_TRUE(ReplaceAllNoCase(params, "/L", ""));
    EXPECT_EQ(params, "a  b  c");

    std::string unchanged = "a b";
    EXPECT_FALSE(ReplaceAllNoCase(unchanged, "/L", ""));
    EXPECT_FALSE(ReplaceAllNoCase(unchanged, "a", "a"));
    EXPECT_EQ(unchanged, "a b");
}

TEST(ReplaceAllNoCase, NeverSearchesReplacedTextAgain)
{
    std::string text = "Xx-x";
    EXPECT_TRUE(ReplaceAllNoCase(text, "x", "xX"));
    EXPECT_EQ(text, "xXxX-xX");

    std::string umlauts = "\xE4pfel \xC4PFEL"; // äpfel ÄPFEL
    EXPECT_TRUE(ReplaceAllNoCase(umlauts, "\xC4pfel", "Birnen"));
    EXPECT_EQ(umlauts, "Birnen Birnen");
}

TEST(ReplaceAll, ReplacesCaseSensitivelyFromTheLeft)
{
    std::string text = "a.b.C.c";
    ReplaceAll(text, "c", "d");
    EXPECT_EQ(text, "a.b.C.d");

    // The search starts from the beginning each time, so new occurrences made
    // by a replacement are replaced too.
    std::string collapsing = "aaaa";
    ReplaceAll(collapsing, "aa", "a");
    EXPECT_EQ(collapsing, "a");
    std::string spaces = "a     b  c";
    ReplaceAll(spaces, "  ", " ");
    EXPECT_EQ(spaces, "a b c");
    std::string formed = "xaabb";
    ReplaceAll(formed, "ab", "");
    EXPECT_EQ(formed, "x");

    // A replacement that contains the old text is done once per occurrence.
    std::string growing = "ab";
    ReplaceAll(growing, "b", "bb");
    EXPECT_EQ(growing, "abb");

    // Text whose replacement forms the old text again in front of it still ends.
    std::string swapping = "aab";
    ReplaceAll(swapping, "ab", "ba");
    EXPECT_EQ(swapping, "baa");

    std::string empty = "abc";
    ReplaceAll(empty, "", "x");
    EXPECT_EQ(empty, "abc");
}

TEST(TextSearch, PositionsCountFromOne)
{
    EXPECT_EQ(LastPos("\\", "C:\\A\\B.TXT"), 5);
    EXPECT_EQ(LastPos("x", "abc"), 0);
    EXPECT_EQ(LastPos("", "abc"), 0);
    EXPECT_TRUE(Contains("b.T", "C:\\A\\B.TXT") == false);
    EXPECT_TRUE(Contains("B.T", "C:\\A\\B.TXT"));
    EXPECT_EQ(CountOf("aa", "aaaaa"), 2);
    EXPECT_EQ(CountOf("x", std::string(300, 'x')), 300);
    EXPECT_EQ(CountOf("", "abc"), 0);
    EXPECT_TRUE(StartsWith("Tapsody", "Taps"));
    EXPECT_FALSE(StartsWith("Ta", "Taps"));
    EXPECT_TRUE(EndsWith("datei.ini", ".ini"));
    EXPECT_FALSE(EndsWith("datei.INI", ".ini"));
}

TEST(TextCutting, TakesPartsOfATextWithinItsBounds)
{
    EXPECT_EQ(LeftStr("abcdef", 2), "ab");
    EXPECT_EQ(LeftStr("ab", 5), "ab");
    EXPECT_EQ(LeftStr("ab", -1), "");
    EXPECT_EQ(RightStr("abcdef", 2), "ef");
    EXPECT_EQ(RightStr("ab", 5), "ab");
    EXPECT_EQ(RightStr("ab", 0), "");
    EXPECT_EQ(TailFrom("abcdef", 3), "cdef");
    EXPECT_EQ(TailFrom("abcdef", 0), "abcdef");
    EXPECT_EQ(TailFrom("abcdef", -4), "abcdef");
    EXPECT_EQ(TailFrom("abc", 4), "");
    EXPECT_EQ(TailFrom("abc", 9), "");
    EXPECT_EQ(RepeatStr("ab", 3), "ababab");
    EXPECT_EQ(RepeatStr("ab", 0), "");
    EXPECT_EQ(RepeatStr("-", 256).size(), 256u);
}

TEST(Fetch, TakesTheHeadAndDropsOneSeparatorCharacter)
{
    std::string path = "C:\\Windows\\Temp";
    EXPECT_EQ(Fetch(path, "\\"), "C:");
    EXPECT_EQ(path, "Windows\\Temp");
    EXPECT_EQ(Fetch(path, "\\"), "Windows");
    EXPECT_EQ(Fetch(path, "\\"), "Temp");
    EXPECT_EQ(path, "");

    // Only the first character of a longer separator is removed.
    std::string pairs = "a=>b";
    EXPECT_EQ(Fetch(pairs, "=>"), "a");
    EXPECT_EQ(pairs, ">b");

    std::string leading = ",x";
    EXPECT_EQ(Fetch(leading, ","), "");
    EXPECT_EQ(leading, "x");
}

TEST(TrimStr, RemovesControlCharactersAndSpacesAtBothEnds)
{
    EXPECT_EQ(TrimStr(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(TrimStr("   "), "");
    EXPECT_EQ(TrimStr("\xA0x\xA0"), "\xA0x\xA0"); // the no-break space is a character
}

TEST(UpperStr, FollowsTheCodePageIncludingAccentsAndUmlauts)
{
    EXPECT_EQ(UpperStr("abc xyz 09"), "ABC XYZ 09");
    EXPECT_EQ(UpperStr("\xE4\xF6\xFC"), "\xC4\xD6\xDC");                         // äöü
    EXPECT_EQ(UpperStr("\xE0\xE9\xEE\xF5\xF8\xFE"), "\xC0\xC9\xCE\xD5\xD8\xDE"); // àéîõøþ
    EXPECT_EQ(UpperStr("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");                 // šœžÿ
    // Letters without a capital in the code page, and the division sign, stay.
    EXPECT_EQ(UpperStr("\xDF\xB5\x83\xF7\xAA\xBA"), "\xDF\xB5\x83\xF7\xAA\xBA"); // ß µ ƒ ÷ ª º
    EXPECT_EQ(UpperStr("\xC4\x8A\x9F"), "\xC4\x8A\x9F");
}

TEST(UpperStr, ChangesExactlyTheLowerCaseLettersOfTheCodePage)
{
    int changed = 0;
    for (int byte = 0; byte < 256; ++byte)
        if (UpperStr(std::string(1, static_cast<char>(byte)))[0] != static_cast<char>(byte))
            ++changed;
    EXPECT_EQ(changed, 26 + 30 + 4); // a-z, à-þ without ÷, š œ ž ÿ
}

TEST(LowerStrDe, LowersOnlyLatinLettersAndTheUmlauts)
{
    EXPECT_EQ(LowerStrDe("\xC4\xD6\xDC-ABC"), "\xE4\xF6\xFC-abc"); // ÄÖÜ-ABC
    EXPECT_EQ(LowerStrDe("\xC9\xDF\x8A"), "\xC9\xDF\x8A");         // É ß Š stay
}

TEST(CapitalizeWords, UpperCasesTheFirstLetterOfEachWord)
{
    EXPECT_EQ(CapitalizeWords("on-screen keys (neu)"), "On-Screen Keys (Neu)");
    EXPECT_EQ(CapitalizeWords("  a:b&c.d#e,f  g"), "A:B&C.D#E,F  G");
    EXPECT_EQ(CapitalizeWords("\xFC"
                              "ber \xE4pfel"),
              "\xDC"
              "ber \xC4pfel"); // über äpfel
    EXPECT_EQ(CapitalizeWords("mIxED"), "MIxED");
    EXPECT_EQ(CapitalizeWords("   "), "");
    EXPECT_EQ(CapitalizeWords(""), "");
}

TEST(NumToStr, WritesPlainAndGroupedDecimals)
{
    EXPECT_EQ(NumToStr(0), "0");
    EXPECT_EQ(NumToStr(-42), "-42");
    EXPECT_EQ(NumToStrDots(1234567), "1.234.567");
    EXPECT_EQ(NumToStrDots(-1234), "-1.234");
    EXPECT_EQ(NumToStrDots(-123), "-123");
    EXPECT_EQ(NumToStrDots(999), "999");
    EXPECT_EQ(NumToStrDots(1000), "1.000");
    EXPECT_EQ(NumToStrDots(-999999), "-999.999");
    EXPECT_EQ(NumToStrDots(std::numeric_limits<std::int64_t>::min()), "-9.223.372.036.854.775.808");
    EXPECT_EQ(NumToStrZero(2, 5), "05");
    EXPECT_EQ(NumToStrZero(4, 12345), "12345");
    EXPECT_EQ(NumToStrZero(0, 7), "7");
}

TEST(StrToInt64De, ReadsGermanNumbersLeniently)
{
    EXPECT_EQ(StrToInt64De("1.234,56"), 1234);
    EXPECT_EQ(StrToInt64De("12,9"), 12);
    EXPECT_EQ(StrToInt64De(""), 0);
    EXPECT_EQ(StrToInt64De("  -1.000"), -1000);
    EXPECT_EQ(StrToInt64De("+17"), 17);
    EXPECT_EQ(StrToInt64De("42px"), 42);
    EXPECT_EQ(StrToInt64De("px42"), 0);
    EXPECT_EQ(StrToInt64De("-"), 0);
    EXPECT_EQ(StrToInt64De("- 5"), 0);
    EXPECT_EQ(StrToInt64De("9.223.372.036.854.775.807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64De("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    // Numbers too large for 64 bits stay at the nearest limit.
    EXPECT_EQ(StrToInt64De("99999999999999999999"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64De("-99999999999999999999"), std::numeric_limits<std::int64_t>::min());
}

TEST(TextChoices, PickTheirTexts)
{
    EXPECT_EQ(JaNein(true), "Ja");
    EXPECT_EQ(JaNein(false), "Nein");
    EXPECT_EQ(ZeroOne(true), "1");
    EXPECT_EQ(ZeroOne(false), "0");
    EXPECT_EQ(IfStr(false, "an", "aus"), "aus");
    EXPECT_EQ(SingularPlural("Datei", "Dateien", 1), "Datei");
    EXPECT_EQ(SingularPlural("Datei", "Dateien", 0), "Dateien");
    EXPECT_EQ(SingularPlural("Datei", "Dateien", -1), "Dateien");
}

TEST(ColorFromName, KnowsTheColourIdentifiersInAnyCase)
{
    EXPECT_EQ(ColorFromName("clNavy"), 0x800000u);
    EXPECT_EQ(ColorFromName("CLRED"), 0x0000FFu);
    EXPECT_EQ(ColorFromName("clmoneygreen"), 0xC0DCC0u);
    EXPECT_EQ(ColorFromName("clWhite"), 0xFFFFFFu);
    EXPECT_EQ(ColorFromName("Navy"), 0u);
    EXPECT_EQ(ColorFromName(""), 0u);
}

TEST(NumberAndRectHelpers, CompareSwapAndMoveRectangles)
{
    EXPECT_EQ(Max64(-5, 3), 3);
    std::int32_t a = 1;
    std::int32_t b = 2;
    Swap32(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);

    const TRect rect{10, 20, 30, 40};
    EXPECT_EQ(OffsetOrInsetRect(rect, 2, true), (TRect{12, 22, 32, 42}));
    EXPECT_EQ(OffsetOrInsetRect(rect, 2, false), (TRect{12, 22, 28, 38}));
}
