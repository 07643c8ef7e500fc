#include "layout/key_list.h"
#include "layout/layout_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

KeyTable TableOf(const std::vector<std::string>& keyList)
{
    KeyTable table;
    BuildKeyList(table, keyList);
    return table;
}

TKeyRecord Record(bool enabled, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t code = 65,
                  std::uint8_t typ = 0)
{
    return TKeyRecord{code, enabled, typ, x, y, w, h};
}

TEST(LoadLayout, AllSectionDefaults)
{
    KeyTable table = TableOf({"a;65"});
    EXPECT_EQ(LoadLayoutLines(table, {}), (LayoutBoxes{20, 20, true}));
    const LayoutBoxes boxes = LoadLayoutLines(table, {"[All]", "Breite=35", "Hoehe=30", "Vorgabe=0"});
    EXPECT_EQ(boxes, (LayoutBoxes{35, 30, false}));
}

TEST(LoadLayout, PlacedKeyTakesItsValues)
{
    KeyTable table = TableOf({"a;65", "Return;13"});
    LoadLayoutLines(table, {"[All]", "Breite=35", "Hoehe=35", "", "[a]", "p0x=75", "p0y=126", "", "[return]", "p0x=530",
                            "p0y=90", "p1x=45", "p1y=71"});
    EXPECT_EQ(table.Key(0), Record(true, 75, 126, 35, 35));
    EXPECT_EQ(table.Key(1), Record(true, 530, 90, 45, 71, 13));
}

TEST(LoadLayout, SizeDefaultsToTheAllSection)
{
    KeyTable table = TableOf({"a;65", "b;66"});
    LoadLayoutLines(table, {"[a]", "p0x=1", "p0y=2"});
    EXPECT_EQ(table.Key(0), Record(true, 1, 2, 20, 20));

    LoadLayoutLines(table, {"[All]", "Breite=35", "Hoehe=30", "", "[b]", "p0x=5", "p1y=9"});
    EXPECT_EQ(table.Key(1), Record(true, 5, -1, 35, 9, 66));
}

TEST(LoadLayout, KeyWithoutPositionGetsTheOppositeOfTheDefaultEnabled)
{
    KeyTable table = TableOf({"placed;1", "unplaced;2"});
    table.Key(1) = Record(true, 40, 41, 42, 43, 2);
    LoadLayoutLines(table, {"[placed]", "p0x=3"});
    EXPECT_TRUE(table.Key(0).Enabled);
    EXPECT_FALSE(table.Key(1).Enabled);
    // A key that is not placed keeps its other coordinates.
    EXPECT_EQ(table.Key(1), Record(false, -1, 41, 42, 43, 2));

    LoadLayoutLines(table, {"[All]", "Enabled=0", "", "[placed]", "p0x=3"});
    EXPECT_FALSE(table.Key(0).Enabled);
    EXPECT_TRUE(table.Key(1).Enabled);
}

TEST(LoadLayout, ExplicitEnabledAndMinusOnePosition)
{
    KeyTable table = TableOf({"a;65", "b;66"});
    LoadLayoutLines(table, {"[a]", "Enabled=0", "p0x=3", "", "[b]", "Enabled=1", "p0x=-1"});
    EXPECT_FALSE(table.Key(0).Enabled);
    // "p0x=-1" means not placed, whatever the section says about "Enabled".
    EXPECT_FALSE(table.Key(1).Enabled);
}

TEST(LoadLayout, SectionsAreAskedForInGermanLowerCase)
{
    KeyTable table = TableOf({"SHIFT-Links", "\xC4rger;1", "\xDF;219"}); // "Ärger", "ß"
    LoadLayoutLines(table, {"[SHIFT-LINKS]", "P0X=10", "", "[\xE4rger]", "p0x=20", "", "[\xDF]", "p0x=30"});
    EXPECT_EQ(table.Key(0).p0x, 10);
    EXPECT_EQ(table.Key(1).p0x, 20);
    EXPECT_EQ(table.Key(2).p0x, 30);
}

TEST(LoadLayout, TypAndLenientNumbers)
{
    KeyTable table = TableOf({"a;65"});
    LoadLayoutLines(table, {"[a]", "Typ=1", "p0x=1.000", "p0y=12,9", "p1x=x", "p1y= 7"});
    EXPECT_EQ(table.Key(0), Record(true, 1000, 12, 0, 7, 65, kKeyCircle));
}

TEST(LoadLayout, ValueOutOfRangeLeavesTheTableAsItWas)
{
    KeyTable table = TableOf({"a;65", "b;66"});
    LoadLayoutLines(table, {"[a]", "p0x=1", "", "[b]", "p0x=2"});
    const KeyTable before = table;
    const std::vector<std::vector<std::string>> bad = {
        {"[a]", "p0x=5", "", "[b]", "Typ=256", "p0x=6"},
        {"[a]", "p0x=5", "", "[b]", "Typ=-1", "p0x=6"},
        {"[a]", "p0x=5", "", "[b]", "p0x=2147483648"},
        {"[a]", "p0x=5", "", "[b]", "p0x=6", "p1y=-2147483649"},
        {"[All]", "Breite=4294967296"},
        // Keys must lie on a picture: positions fit 16 bits, sizes are 0 to 32767.
        {"[a]", "p0x=5", "", "[b]", "p0x=2147483647"},
        {"[a]", "p0x=5", "", "[b]", "p0x=2147483000", "p1x=5000"},
        {"[a]", "p0x=5", "", "[b]", "p0x=32768"},
        {"[a]", "p0x=5", "", "[b]", "p0x=-32769"},
        {"[a]", "p0x=5", "", "[b]", "p0x=6", "p0y=32768"},
        {"[a]", "p0x=5", "", "[b]", "p0x=6", "p1x=-1"},
        {"[a]", "p0x=5", "", "[b]", "p0x=6", "p1y=32768"},
        {"[All]", "Hoehe=-5", "", "[a]", "p0x=5"},
        {"[All]", "Breite=32768"},
    };
    for (const auto& lines : bad) {
        try {
            LoadLayoutLines(table, lines);
            ADD_FAILURE() << lines[lines.size() - 1] << " was taken";
        } catch (const KeyTableError& error) {
            EXPECT_EQ(std::string(error.what())
                          .rfind("Wert au\xDF"
                                 "erhalb des g\xFCltigen Bereichs: %s|[",
                                 0),
                      0u);
        }
        EXPECT_EQ(table, before);
    }
    LoadLayoutLines(table, {"[a]", "p0x=-32768", "p0y=32767", "p1x=0", "p1y=32767", "", "[b]", "Typ=255", "p0x=32767"});
    EXPECT_EQ(table.Key(0), Record(true, -32768, 32767, 0, 32767));
    EXPECT_EQ(table.Key(1).Typ, 255);
    EXPECT_EQ(table.Key(1).p0x, 32767);
}

TEST(LoadLayout, ReadsTheNamedFileInsteadOfTheStoredLayout)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "layout_reader_test";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "layout.ini").string();
    std::ofstream(file, std::ios::binary) << "[All]\r\nBreite=7\r\n\r\n[a]\r\np0x=9\r\n";

    KeyTable table = TableOf({"a;65"});
    const std::vector<std::string> stored = {"[a]", "p0x=1"};
    EXPECT_EQ(LoadLayout(table, "", stored).Breite, 20);
    EXPECT_EQ(table.Key(0).p0x, 1);
    EXPECT_EQ(LoadLayout(table, file, stored).Breite, 7);
    EXPECT_EQ(table.Key(0), Record(true, 9, -1, 7, 20));

    // Refused with the reader's message; the table stays as it was.
    std::ofstream(folder / "other.ini", std::ios::binary) << "[Setup]\r\nPeep=1\r\n";
    std::ofstream(folder / "empty.ini", std::ios::binary) << "";
    std::filesystem::create_directories(folder / "folder.ini");
    const KeyTable before = table;
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"missing.ini", "Die Datei %s existiert nicht."},
        {"folder.ini", "Die Datei %s existiert nicht."},
        {"other.ini", "Die Datei %s ist keine Belegungsdatei."},
        {"empty.ini", "Die Datei %s ist keine Belegungsdatei."},
    };
    for (const auto& [name, message] : refused) {
        const std::string path = (folder / name).string();
        try {
            LoadLayout(table, path, stored);
            ADD_FAILURE() << name << " was taken";
        } catch (const KeyTableError& error) {
            EXPECT_EQ(error.what(), message + "|" + path);
        }
        EXPECT_EQ(table, before) << name;
    }
    // A key's section alone makes a layout.
    std::ofstream(folder / "key.ini", std::ios::binary) << "[A]\r\np0x=4\r\n";
    LoadLayout(table, (folder / "key.ini").string(), stored);
    EXPECT_EQ(table.Key(0).p0x, 4);
    std::filesystem::remove_all(folder);
}

} // namespace
