// The layout editor's window record carries exactly the default data files.

#include "datastore/window_records.h"
#include "layout/key_list.h"
#include "layout/layout_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string DataFile(const std::string& name)
{
    std::ifstream in(std::string(TAPSODY_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LayoutformRecord, DecodesToTheDataFiles)
{
    const struct {
        const char* component;
        const char* file;
        const char* extension;
    } expected[] = {
        {"tastenmemo", "tastenmemo.txt", "txt"},
        {"belegmemo", "belegmemo.txt", "txt"},
        {"bildmemo", "bildmemo.bmp", "bmp"},
    };
    for (const auto& entry : expected) {
        const auto component = LoadEmbeddedComponent("TLayoutform", entry.component);
        ASSERT_NE(component, nullptr) << entry.component;
        EXPECT_TRUE(component->Compressed()) << entry.component;
        EXPECT_EQ(component->Extension(), entry.extension);
        const std::string file = DataFile(entry.file);
        ASSERT_FALSE(file.empty()) << entry.file;
        EXPECT_TRUE(component->UnpackedStream().Bytes() == file) << entry.component;
    }
}

// The layout editor builds its table from the records' lines at start-up.
TEST(LayoutformRecord, BuildsTheStoredTable)
{
    const auto keyList = LoadEmbeddedComponent("TLayoutform", "tastenmemo");
    const auto layout = LoadEmbeddedComponent("TLayoutform", "belegmemo");
    ASSERT_NE(keyList, nullptr);
    ASSERT_NE(layout, nullptr);
    KeyTable table;
    BuildKeyList(table, keyList->Lines());
    const LayoutBoxes boxes = LoadLayoutLines(table, layout->Lines());
    EXPECT_EQ(table.Count(), 119);
    EXPECT_EQ(table.Name(118), "Info");
    EXPECT_EQ(boxes, (LayoutBoxes{35, 35, false}));
    EXPECT_EQ(table.Key(0), (TKeyRecord{65, true, 0, 75, 126, 35, 35}));
}

} // namespace
