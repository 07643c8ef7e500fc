#include "layout/key_list.h"
#include "layout/layout_reader.h"
#include "layout/layout_writer.h"
#include "support/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

KeyTable TableOf(const Lines& keyList)
{
    KeyTable table;
    BuildKeyList(table, keyList);
    return table;
}

// Saves the table and loads the text into a fresh table of the same key list.
KeyTable ReloadedTable(const KeyTable& table, const LayoutBoxes& boxes, LayoutBoxes& reloadedBoxes)
{
    Lines keyList;
    for (int i = 0; i < table.Count(); ++i) {
        keyList.push_back(table.Key(i).Code < 0 ? table.Name(i)
                                                : table.Name(i) + ";" + std::to_string(table.Key(i).Code));
    }
    KeyTable reloaded = TableOf(keyList);
    reloadedBoxes = LoadLayoutLines(reloaded, LayoutLines(table, boxes));
    return reloaded;
}

TEST(LayoutLines, AllSectionThenChangedValuesOfPlacedKeys)
{
    KeyTable table = TableOf({"a;65", "Return;13", "SHIFT-Links", "Num +;107", "Info"});
    LoadLayoutLines(table,
                    {"[All]",     "Breite=35", "Hoehe=35", "Vorgabe=0", "",       "[a]",    "p0x=75",  "p0y=126",
                     "",          "[return]",  "p0x=530",  "p0y=90",    "p1x=45", "p1y=71", "",        "[shift-links]",
                     "Enabled=0", "Typ=1",     "p0x=8",    "p0y=163",   "p1x=20", "",       "[num +]", "p0x=844",
                     "p0y=90",    "p1y=72"});
    const Lines expected = {
        "[All]",    "Breite=35", "Hoehe=35", "Vorgabe=0", "",        "[a]",     "p0x=75",        "p0y=126",   "",
        "[return]", "p0x=530",   "p0y=90",   "p1x=45",    "p1y=71",  "",        "[shift-links]", "Enabled=0", "Typ=1",
        "p0x=8",    "p0y=163",   "p1x=20",   "",          "[num +]", "p0x=844", "p0y=90",        "p1y=72"};
    EXPECT_EQ(LayoutLines(table, LayoutBoxes{35, 35, false}), expected);
}

TEST(LayoutLines, RoundTripKeepsTableAndBoxes)
{
    KeyTable table = TableOf({"a;65", "b;66", "c;67", "\xC4;1", "d;68"});
    table.Key(0) = {65, true, 0, 0, 0, 35, 35};
    table.Key(1) = {66, false, 0, -5, 7, 1, 2};            // placed but switched off
    table.Key(2) = {67, true, 1, 100, 50, 30, 0};          // circle
    table.Key(3) = {1, false, 0, -1, 0, 0, 0};             // not placed
    table.Key(4) = {68, true, 0, 32767, -32768, 32767, 0}; // the farthest a key may lie
    const LayoutBoxes boxes{20, 20, true};
    LayoutBoxes reloadedBoxes;
    EXPECT_EQ(ReloadedTable(table, boxes, reloadedBoxes), table);
    EXPECT_EQ(reloadedBoxes, boxes);
}

TEST(LayoutLines, EnabledKeysWithoutPlaceSwitchTheDefault)
{
    // After loading a layout whose "All" says "Enabled=0", the keys it does not
    // place are enabled; saving must keep them so.
    KeyTable table = TableOf({"a;65", "b;66", "c;67"});
    LoadLayoutLines(table, {"[All]", "Enabled=0", "", "[a]", "p0x=1", "", "[b]", "Enabled=1", "p0x=2"});
    const Lines lines = LayoutLines(table, LayoutBoxes{});
    EXPECT_EQ(lines[4], "Enabled=0");
    LayoutBoxes reloadedBoxes;
    EXPECT_EQ(ReloadedTable(table, LayoutBoxes{}, reloadedBoxes), table);
}

TEST(LayoutLines, TypOfUnplacedKeyIsKept)
{
    KeyTable table = TableOf({"a;65"});
    LoadLayoutLines(table, {"[a]", "Typ=1"});
    EXPECT_EQ(LayoutLines(table, LayoutBoxes{}).back(), "Typ=1");
    LayoutBoxes reloadedBoxes;
    EXPECT_EQ(ReloadedTable(table, LayoutBoxes{}, reloadedBoxes).Key(0).Typ, 1);
}

TEST(LayoutLines, NamesEqualUpToLetterCaseShareOneSection)
{
    KeyTable table = TableOf({"X;1", "x;2"});
    LoadLayoutLines(table, {"[x]", "p0x=4"});
    EXPECT_EQ(LayoutLines(table, LayoutBoxes{}),
              (Lines{"[All]", "Breite=20", "Hoehe=20", "Vorgabe=1", "", "[x]", "p0x=4", "p0y=-1"}));
}

TEST(SaveLayoutTarget, LayoutFileOrProgramFolder)
{
    EXPECT_EQ(SaveLayoutTarget("", "/opt/tapsody/"), "/opt/tapsody/layout.ini");
    EXPECT_EQ(SaveLayoutTarget("/home/u/mine.ini", "/opt/tapsody/"), "/home/u/mine.ini");
}

class RecordingMessages : public MessageService {
public:
    std::uint16_t MessageDlg(const std::string& message, std::uint8_t type, std::uint16_t, int) override
    {
        shown.push_back(std::to_string(type) + ":" + message);
        return mrOk;
    }
    void ShowMessage(const std::string& message) override { shown.push_back(message); }
    void PlainMessage(const std::string& text) override { shown.push_back(text); }
    Lines shown;
};

class SaveLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("save_layout_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        previous_ = SetMessageService(&messages_);
        table_ = TableOf({"a;65"});
        LoadLayoutLines(table_, {"[a]", "p0x=75", "p0y=126"});
    }
    void TearDown() override
    {
        SetMessageService(previous_);
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(folder_);
    }
    static std::string Contents(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path folder_;
    RecordingMessages messages_;
    MessageService* previous_ = nullptr;
    KeyTable table_;
};

TEST_F(SaveLayoutTest, WritesCrLfLinesThatLoadBack)
{
    const std::filesystem::path file = folder_ / "layout.ini";
    std::ofstream(file) << "old text that is longer than the new one, all of it replaced ......................";
    ASSERT_TRUE(SaveLayout(table_, LayoutBoxes{}, file.string()));
    EXPECT_EQ(Contents(file), "[All]\r\nBreite=20\r\nHoehe=20\r\nVorgabe=1\r\n\r\n[a]\r\np0x=75\r\np0y=126\r\n");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);

    KeyTable reloaded = TableOf({"a;65"});
    LoadLayout(reloaded, file.string(), {});
    EXPECT_EQ(reloaded, table_);
}

TEST_F(SaveLayoutTest, ReadOnlyFileIsNotOverwritten)
{
    const std::filesystem::path file = folder_ / "layout.ini";
    std::ofstream(file) << "keep";
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_FALSE(SaveLayout(table_, LayoutBoxes{}, file.string()));
    EXPECT_EQ(Contents(file), "keep");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0], "0:Die Datei %s ist schreibgesch\xFCtzt. Nicht gespeichert.|" + file.string());
}

TEST_F(SaveLayoutTest, MissingFolderIsReported)
{
    const std::filesystem::path file = folder_ / "no such folder" / "layout.ini";
    EXPECT_FALSE(SaveLayout(table_, LayoutBoxes{}, file.string()));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0], "1:Die Datei %s konnte nicht geschrieben werden.|" + file.string());
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

} // namespace
