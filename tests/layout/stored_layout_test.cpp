// Checks on the default data that travels inside the program: the key list, the
// layout that places its keys and the keyboard picture they are drawn on.

#include "layout/key_list.h"
#include "layout/layout_reader.h"
#include "layout/layout_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kPictureWidth = 889;
constexpr int kPictureHeight = 238;

std::string DataFile(const std::string& name)
{
    std::ifstream in(std::string(TAPSODY_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

KeyTable StoredTable(LayoutBoxes* boxes = nullptr)
{
    KeyTable table;
    BuildKeyList(table, CrLfLines(DataFile("tastenmemo.txt")));
    const LayoutBoxes read = LoadLayoutLines(table, CrLfLines(DataFile("belegmemo.txt")));
    if (boxes) {
        *boxes = read;
    }
    return table;
}

int IndexOf(const KeyTable& table, const std::string& name)
{
    for (int i = 0; i < table.Count(); ++i) {
        if (table.Name(i) == name) {
            return i;
        }
    }
    ADD_FAILURE() << "no key " << name;
    return 0;
}

// Keys with a code but no room on the picture share its top-left corner.
bool InCornerGroup(const TKeyRecord& key)
{
    return key.p0x == 0 && key.p0y == 0;
}

TEST(StoredKeyList, SizeAndLines)
{
    const std::string text = DataFile("tastenmemo.txt");
    EXPECT_EQ(text.size(), 1036u);
    const std::vector<std::string> lines = CrLfLines(text);
    EXPECT_EQ(lines.size(), 119u);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of(std::string("\0\n\r", 3)), std::string::npos) << line;
    }
}

TEST(StoredKeyList, NamesAndCodes)
{
    const KeyTable table = StoredTable();
    ASSERT_EQ(table.Count(), 119);
    const std::vector<std::pair<int, std::pair<std::string, int>>> samples = {
        {0, {"a", 65}},          {25, {"z", 90}},           {26, {"0", 48}},           {35, {"9", 57}},
        {36, {"\xDF", 219}},     {37, {"\xE4", 478}},       {38, {"\xF6", 448}},       {39, {"\xFC", 442}},
        {43, {"<", 60}},         {44, {",", 44}},           {45, {".", 46}},           {47, {"\xB4", 477}},
        {48, {"ESC", 27}},       {52, {"Space", 32}},       {53, {"SHIFT-Links", -1}}, {57, {"CTRL-Rechts", -1}},
        {58, {"WinLinks", 91}},  {64, {"Screenshot", 44}},  {65, {"Standby", 94}},     {67, {"Einf\xFCgen", 45}},
        {68, {"Entfernen", 46}}, {75, {"Bild ab", 34}},     {76, {"F1", 112}},         {99, {"F24", 135}},
        {100, {"Num", 144}},     {101, {"Num \xF7", 111}},  {104, {"Num 1", 97}},      {113, {"Num 0", 96}},
        {115, {"Num ,", 110}},   {116, {"Num Return", 13}}, {117, {"Close", -1}},      {118, {"Info", -1}},
    };
    for (const auto& [index, entry] : samples) {
        EXPECT_EQ(table.Name(index), entry.first) << index;
        EXPECT_EQ(table.Key(index).Code, entry.second) << index;
    }
}

TEST(StoredLayout, AgreesWithTheKnownPlaces)
{
    LayoutBoxes boxes;
    const KeyTable table = StoredTable(&boxes);
    EXPECT_EQ(boxes, (LayoutBoxes{35, 35, false}));
    auto key = [&](const std::string& name) { return table.Key(IndexOf(table, name)); };
    EXPECT_EQ(key("a"), (TKeyRecord{65, true, 0, 75, 126, 35, 35}));
    EXPECT_EQ(key("Return"), (TKeyRecord{13, true, 0, 530, 90, 45, 71}));
    EXPECT_EQ(key("Space"), (TKeyRecord{32, true, 0, 236, 199, 168, 35}));
    EXPECT_EQ(key("Num +"), (TKeyRecord{107, true, 0, 844, 90, 35, 72}));
    EXPECT_EQ(key("ESC"), (TKeyRecord{27, true, 0, 8, 7, 35, 35}));
    std::set<std::string> corner;
    for (int i = 0; i < table.Count(); ++i) {
        if (InCornerGroup(table.Key(i))) {
            EXPECT_EQ(table.Key(i).p1x, 35);
            EXPECT_EQ(table.Key(i).p1y, 35);
            corner.insert(table.Name(i));
        }
    }
    EXPECT_EQ(corner, (std::set<std::string>{"F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22",
                                             "F23", "F24", "Screenshot", "Standby", "Close", "Info"}));
}

TEST(StoredLayout, EveryKeyIsPlacedInsideThePictureWithoutOverlap)
{
    const KeyTable table = StoredTable();
    for (int i = 0; i < table.Count(); ++i) {
        const TKeyRecord& a = table.Key(i);
        EXPECT_TRUE(a.Enabled) << table.Name(i);
        EXPECT_EQ(a.Typ, kKeyRectangle) << table.Name(i);
        EXPECT_GE(a.p0x, 0) << table.Name(i);
        EXPECT_GE(a.p0y, 0) << table.Name(i);
        EXPECT_LT(a.p0x + a.p1x, kPictureWidth) << table.Name(i);
        EXPECT_LT(a.p0y + a.p1y, kPictureHeight) << table.Name(i);
        for (int j = i + 1; j < table.Count(); ++j) {
            const TKeyRecord& b = table.Key(j);
            if (InCornerGroup(a) && InCornerGroup(b)) {
                continue;
            }
            // Both ends belong to a key, so touching edges would overlap.
            const bool apart =
                a.p0x + a.p1x < b.p0x || b.p0x + b.p1x < a.p0x || a.p0y + a.p1y < b.p0y || b.p0y + b.p1y < a.p0y;
            // Only the corner group may lie under the Esc key.
            const bool cornerUnderEsc =
                (InCornerGroup(a) || InCornerGroup(b)) && (table.Name(i) == "ESC" || table.Name(j) == "ESC");
            EXPECT_TRUE(apart || cornerUnderEsc) << table.Name(i) << " overlaps " << table.Name(j);
        }
    }
}

TEST(StoredLayout, IsWhatTheWriterWrites)
{
    LayoutBoxes boxes;
    const KeyTable table = StoredTable(&boxes);
    const std::string text = DataFile("belegmemo.txt");
    EXPECT_EQ(LayoutLines(table, boxes), CrLfLines(text));
}

// --- The keyboard picture ---------------------------------------------------

std::uint32_t Le(const std::string& bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes.at(offset + static_cast<std::size_t>(i)));
    }
    return value;
}

constexpr std::size_t kPixelOffset = 14 + 40 + 1024;
constexpr std::size_t kRowBytes = 892;

TEST(StoredPicture, IsAn8BitWindowsBitmapWithFullPalette)
{
    const std::string bmp = DataFile("bildmemo.bmp");
    ASSERT_EQ(bmp.size(), 213374u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Le(bmp, 2, 4), 213374u); // file size
    EXPECT_EQ(Le(bmp, 6, 4), 0u);      // reserved
    EXPECT_EQ(Le(bmp, 10, 4), kPixelOffset);
    EXPECT_EQ(Le(bmp, 14, 4), 40u); // info header size
    EXPECT_EQ(Le(bmp, 18, 4), 889u);
    EXPECT_EQ(Le(bmp, 22, 4), 238u); // positive: rows run bottom-up
    EXPECT_EQ(Le(bmp, 26, 2), 1u);   // planes
    EXPECT_EQ(Le(bmp, 28, 2), 8u);   // bits per pixel
    EXPECT_EQ(Le(bmp, 30, 4), 0u);   // no compression
    EXPECT_EQ(Le(bmp, 34, 4), kRowBytes * 238);
    EXPECT_EQ(Le(bmp, 46, 4), 256u); // colours used
    for (std::size_t entry = 0; entry < 256; ++entry) {
        EXPECT_EQ(bmp[54 + entry * 4 + 3], '\0') << "palette entry " << entry;
    }
    for (std::size_t row = 0; row < 238; ++row) {
        EXPECT_EQ(bmp.substr(kPixelOffset + row * kRowBytes + 889, 3), std::string(3, '\0')) << row;
    }
}

TEST(StoredPicture, KeyCapsLieOnTheirRectangles)
{
    const std::string bmp = DataFile("bildmemo.bmp");
    ASSERT_EQ(bmp.size(), 213374u);
    auto pixel = [&](int x, int y) {
        return bmp[kPixelOffset + static_cast<std::size_t>(kPictureHeight - 1 - y) * kRowBytes +
                   static_cast<std::size_t>(x)];
    };
    // The margin right of the numeric block is bare.
    const char background = pixel(kPictureWidth - 1, kPictureHeight / 2);
    const KeyTable table = StoredTable();
    for (int i = 0; i < table.Count(); ++i) {
        const TKeyRecord& key = table.Key(i);
        if (InCornerGroup(key)) {
            continue;
        }
        const int middleY = key.p0y + key.p1y / 2;
        const int middleX = key.p0x + key.p1x / 2;
        EXPECT_NE(pixel(key.p0x, middleY), background) << table.Name(i) << " left edge";
        EXPECT_NE(pixel(key.p0x + key.p1x, middleY), background) << table.Name(i) << " right edge";
        EXPECT_NE(pixel(middleX, key.p0y), background) << table.Name(i) << " top edge";
        EXPECT_NE(pixel(middleX, key.p0y + key.p1y), background) << table.Name(i) << " bottom edge";
        EXPECT_EQ(pixel(key.p0x - 1, middleY), background) << table.Name(i) << " left of it";
        EXPECT_EQ(pixel(key.p0x + key.p1x + 1, middleY), background) << table.Name(i) << " right of it";
    }
}

} // namespace
