#include "layout/key_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(KeyListLine, NameBeforeFirstSemicolonAndCode)
{
    EXPECT_EQ(ParseKeyListLine("Num ,;110"), (KeyListEntry{"Num ,", 110}));
    EXPECT_EQ(ParseKeyListLine("a;65"), (KeyListEntry{"a", 65}));
    // Only the first ";" separates; the rest is the code text.
    EXPECT_EQ(ParseKeyListLine(";;59"), (KeyListEntry{"", 0}));
}

TEST(KeyListLine, WithoutSemicolonIsNamedCommand)
{
    EXPECT_EQ(ParseKeyListLine("SHIFT-Links"), (KeyListEntry{"SHIFT-Links", -1}));
    EXPECT_EQ(ParseKeyListLine(""), (KeyListEntry{"", -1}));
}

TEST(KeyListLine, LineIsTrimmedButNameIsNot)
{
    EXPECT_EQ(ParseKeyListLine(" \tNum + ;107\r"), (KeyListEntry{"Num + ", 107}));
    EXPECT_EQ(ParseKeyListLine("  Close  "), (KeyListEntry{"Close", -1}));
}

TEST(KeyListLine, CodeIsReadAsGermanNumber)
{
    EXPECT_EQ(ParseKeyListLine("x;1.000").code, 1000);
    EXPECT_EQ(ParseKeyListLine("x;12,5").code, 12);
    EXPECT_EQ(ParseKeyListLine("x;-7").code, -7);
    EXPECT_EQ(ParseKeyListLine("x;abc").code, 0);
    EXPECT_EQ(ParseKeyListLine("x;2.147.483.647").code, 2147483647);
    EXPECT_EQ(ParseKeyListLine("x;-2147483648").code, -2147483647 - 1);
}

TEST(KeyListLine, CodeBeyond32BitsIsRangeError)
{
    EXPECT_THROW(ParseKeyListLine("x;2147483648"), KeyTableError);
    EXPECT_THROW(ParseKeyListLine("x;-2147483649"), KeyTableError);
}

std::vector<std::string> NumberedLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back("k" + std::to_string(i) + ";" + std::to_string(i + 1));
    }
    return lines;
}

TEST(BuildKeyList, NamesAndCodesInListOrder)
{
    KeyTable table;
    table.Key(1).p0x = 17;
    BuildKeyList(table, {"a;65", "ALT", "Num ,;110"});
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Names(), (std::vector<std::string>{"a", "ALT", "Num ,"}));
    EXPECT_EQ(table.Key(0).Code, 65);
    EXPECT_EQ(table.Key(1).Code, -1);
    EXPECT_EQ(table.Key(2).Code, 110);
    // Placing keys is the layout's business.
    EXPECT_EQ(table.Key(1).p0x, 17);
}

TEST(BuildKeyList, TakesAFullTable)
{
    KeyTable table;
    BuildKeyList(table, NumberedLines(kKeyTableSize));
    EXPECT_EQ(table.Count(), 133);
    EXPECT_EQ(table.Key(132).Code, 133);
}

TEST(BuildKeyList, RefusesMoreLinesThanTheTableHoldsAndKeepsTheOldList)
{
    KeyTable table;
    BuildKeyList(table, {"a;65", "b;66"});
    const KeyTable before = table;
    try {
        BuildKeyList(table, NumberedLines(kKeyTableSize + 1));
        FAIL() << "a list of 134 lines was taken";
    } catch (const KeyTableError& error) {
        EXPECT_EQ(std::string(error.what()), "Die Tastenliste hat %s Zeilen; h\xF6"
                                             "chstens 133 sind m\xF6glich.|134");
    }
    EXPECT_EQ(table, before);
}

TEST(BuildKeyList, CodeOutOfRangeKeepsTheOldList)
{
    KeyTable table;
    BuildKeyList(table, {"a;65"});
    const KeyTable before = table;
    EXPECT_THROW(BuildKeyList(table, {"b;66", "c;99999999999"}), KeyTableError);
    EXPECT_EQ(table, before);
}

} // namespace
