#include "datastore/binary_data.h"
#include "datastore/file_bytes.h"
#include "datastore/lzh_codec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

namespace {

using namespace std::string_literals;

std::string TestData(const std::string& name)
{
    return ReadFileBytes(std::string(TAPSODY_TESTDATA_DIR) + "/lzhuf/" + name);
}

std::string TheDataValue(std::string_view bytes)
{
    const auto count = static_cast<std::uint32_t>(bytes.size());
    std::string value(4, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        value[i] = static_cast<char>(count >> (8 * i) & 0xFF);
    return value + std::string(bytes);
}

// A block header declaring the uncompressed size, padded to the given length.
std::string BlockHeader(std::uint8_t declaredSize, std::size_t length)
{
    std::string block = "\xFE"s + static_cast<char>(declaredSize) + std::string(7, '\0');
    block.resize(length, '\x55');
    return block;
}

// A component as a window definition fills it: Compressed first, then TheData.
TBinaryData Stored(std::string_view dataStream, bool compressed)
{
    TBinaryData component("memo");
    component.SetCompressed(compressed);
    component.ReadTheData(TheDataValue(dataStream));
    return component;
}

TBinaryData CompressedText(const std::string& plain)
{
    TBinaryData component("memo");
    component.SetCompressed(true);
    component.ReadTheData(TheDataValue(LzhEncodeBytes(plain)));
    return component;
}

class BinaryDataFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tapsody_binary_data_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

private:
    std::filesystem::path folder_;
};

TEST(BinaryData, StartsEmptyAndPlain)
{
    TBinaryData component("bildmemo");
    EXPECT_EQ(component.Name(), "bildmemo");
    EXPECT_FALSE(component.Compressed());
    EXPECT_EQ(component.Extension(), "");
    EXPECT_EQ(component.DataSize(), 0);
    EXPECT_TRUE(component.Lines().empty());
    EXPECT_EQ(component.ratio(), "100%");
}

TEST(BinaryData, TheDataIsCountThenDataStream)
{
    TBinaryData plain = Stored("Hello", false);
    EXPECT_EQ(plain.WriteTheData(), "\x05\0\0\0Hello"s);

    TBinaryData compressed = Stored(TestData("german_cp1252.in"), false);
    compressed.SetCompressed(true);
    const std::string block = TestData("german_cp1252.lzh");
    ASSERT_EQ(block.size(), 594u);
    EXPECT_EQ(compressed.WriteTheData(), "\x52\x02\0\0"s + block);
}

TEST(BinaryData, EmptyPayloadWritesCountZeroAndReadingItKeepsTheData)
{
    TBinaryData empty("memo");
    const std::string value = empty.WriteTheData();
    EXPECT_EQ(value, "\0\0\0\0"s);

    TBinaryData reread("memo");
    reread.ReadTheData(value);
    EXPECT_EQ(reread.DataSize(), 0);

    TBinaryData filled = Stored("kept bytes", false);
    filled.ReadTheData(value);
    EXPECT_EQ(filled.DataStream().Bytes(), "kept bytes");
    filled.ReadTheData("\xFF\xFF\xFF\xFF"s); // a negative count is below 1 too
    EXPECT_EQ(filled.DataStream().Bytes(), "kept bytes");
}

TEST(BinaryData, TheDataThatDisagreesWithItsCountIsRefused)
{
    TBinaryData component = Stored("kept", false);
    EXPECT_THROW(component.ReadTheData("\x01\0\0"s), std::invalid_argument);
    EXPECT_THROW(component.ReadTheData("\x06\0\0\0Hello"s), std::invalid_argument);
    EXPECT_THROW(component.ReadTheData("\x04\0\0\0Hello"s), std::invalid_argument);
    EXPECT_EQ(component.DataStream().Bytes(), "kept");
}

TEST(BinaryData, CompressedBeforeTheDataOnlyRecordsTheFlag)
{
    const std::string text = TestData("ini_crlf.in");
    const std::string block = TestData("ini_crlf.lzh");
    TBinaryData component = Stored(block, true);
    EXPECT_TRUE(component.Compressed());
    EXPECT_EQ(component.DataStream().Bytes(), block);
    EXPECT_EQ(component.UnpackedStream().Bytes(), text);
    EXPECT_EQ(component.UnpackedStream().Position(), 0);
}

TEST(BinaryData, SwitchingCompressedEncodesAndDecodes)
{
    const std::string text = TestData("german_cp1252.in");
    TBinaryData component = Stored(text, false);
    component.SetCompressed(true);
    EXPECT_TRUE(component.Compressed());
    EXPECT_EQ(component.DataStream().Bytes(), TestData("german_cp1252.lzh"));
    component.SetCompressed(true);
    EXPECT_EQ(component.DataStream().Bytes(), TestData("german_cp1252.lzh"));
    component.SetCompressed(false);
    EXPECT_FALSE(component.Compressed());
    EXPECT_EQ(component.DataStream().Bytes(), text);
}

TEST(BinaryData, PayloadsOfOneToFourBytesStayPlain)
{
    for (const std::string tiny : {"a", "ab", "abc", "abcd"}) {
        TBinaryData component = Stored(tiny, false);
        component.SetCompressed(true);
        EXPECT_FALSE(component.Compressed()) << tiny;
        EXPECT_EQ(component.DataStream().Bytes(), tiny);
        EXPECT_EQ(component.UnpackedStream().Bytes(), tiny);
    }
    TBinaryData five = Stored("abcde", false);
    five.SetCompressed(true);
    EXPECT_TRUE(five.Compressed());
    EXPECT_EQ(five.UnpackedStream().Bytes(), "abcde");
}

TEST(BinaryData, ShortCompressedDataUnpacksToNothing)
{
    TBinaryData component = Stored("\xFE\x01\x02"s, true);
    EXPECT_EQ(component.UnpackedStream().Size(), 0);
    EXPECT_TRUE(component.Lines().empty());
}

TEST(BinaryData, LinesSplitAtCrLfCrOrLf)
{
    TBinaryData component = Stored("one\r\ntwo\nthree\rfour\r\n\r\nsix\n\nx\r\r\ny\r\n", false);
    const std::vector<std::string> expected{"one", "two", "three", "four", "", "six", "", "x", "", "y"};
    EXPECT_EQ(component.Lines(), expected);
    EXPECT_EQ(component.Lines(), expected) << "the second read";

    EXPECT_EQ(Stored("last line without break", false).Lines(), std::vector<std::string>{"last line without break"});
    EXPECT_EQ(Stored("\r\n", false).Lines(), std::vector<std::string>{""});
    EXPECT_EQ(Stored("\xE4\0\xFC"s, false).Lines(), std::vector<std::string>{"\xE4\0\xFC"s});
}

TEST(BinaryData, LinesOfACompressedComponentAreDecoded)
{
    TBinaryData component = CompressedText("Tastatur\r\nKeyboard\r\n");
    const std::vector<std::string> expected{"Tastatur", "Keyboard"};
    EXPECT_EQ(component.Lines(), expected);
    EXPECT_EQ(component.Lines(), expected);
}

TEST(BinaryData, SettingLinesKeepsTheComponentCompressed)
{
    TBinaryData component = CompressedText("old text, old text");
    component.SetExtension("bmp");
    component.SetLines({"Programm beenden?", "Quit program?", ""});
    EXPECT_TRUE(component.Compressed());
    EXPECT_EQ(component.Extension(), "txt");
    EXPECT_EQ(static_cast<unsigned char>(component.DataStream().Bytes().at(0)), 0xFE);
    EXPECT_EQ(component.UnpackedStream().Bytes(), "Programm beenden?\r\nQuit program?\r\n\r\n");
    EXPECT_EQ(component.Lines(), (std::vector<std::string>{"Programm beenden?", "Quit program?", ""}));
}

TEST(BinaryData, SettingLinesOnAPlainComponentStoresTheText)
{
    TBinaryData component("memo");
    component.SetLines({"a", "b"});
    EXPECT_FALSE(component.Compressed());
    EXPECT_EQ(component.DataStream().Bytes(), "a\r\nb\r\n");

    TBinaryData tiny = CompressedText("longer than four");
    tiny.SetLines({"ab"});
    EXPECT_FALSE(tiny.Compressed()) << "four bytes have no compressed form";
    EXPECT_EQ(tiny.UnpackedStream().Bytes(), "ab\r\n");
}

TEST(BinaryData, DataSizeReadsTheBlockHeader)
{
    TBinaryData component = Stored(TestData("german_cp1252.lzh"), true);
    EXPECT_EQ(component.UncompressedSize(), 0);
    EXPECT_EQ(component.DataSize(), 594);
    EXPECT_EQ(component.UncompressedSize(), 3203);
}

TEST(BinaryData, RatioIsOneHundredPercentWithoutACompressedBlock)
{
    EXPECT_EQ(Stored(TestData("german_cp1252.in"), false).ratio(), "100%");
    EXPECT_EQ(Stored(BlockHeader(200, 8), true).ratio(), "100%");
    EXPECT_EQ(Stored("", true).ratio(), "100%");
    EXPECT_EQ(Stored(BlockHeader(0, 20), true).ratio(), "100%");
}

TEST(BinaryData, RatioRoundsToTheNearestPercentHalvesToEven)
{
    EXPECT_EQ(Stored(BlockHeader(191, 160), true).ratio(), "84%");
    EXPECT_EQ(Stored(BlockHeader(200, 9), true).ratio(), "4%");  // 4.5
    EXPECT_EQ(Stored(BlockHeader(200, 11), true).ratio(), "6%"); // 5.5
    EXPECT_EQ(Stored(BlockHeader(200, 13), true).ratio(), "6%"); // 6.5
    EXPECT_EQ(Stored(TestData("german_cp1252.lzh"), true).ratio(), "19%");
}

TEST_F(BinaryDataFiles, SaveToFileWritesTheUncompressedPayload)
{
    const std::string text = TestData("ini_crlf.in");
    TBinaryData compressed = Stored(TestData("ini_crlf.lzh"), true);
    compressed.SaveToFile(Path("compressed.txt"));
    EXPECT_EQ(ReadFileBytes(Path("compressed.txt")), text);
    EXPECT_TRUE(compressed.Compressed());

    TBinaryData plain = Stored("plain\0bytes"s, false);
    WriteFileBytes(Path("plain.bin"), "an older and longer file");
    plain.SaveToFile(Path("plain.bin"));
    EXPECT_EQ(ReadFileBytes(Path("plain.bin")), "plain\0bytes"s);

    EXPECT_THROW(plain.SaveToFile(Path("missing/folder/file")), std::system_error);
}

TEST_F(BinaryDataFiles, LoadFromFileReplacesThePayload)
{
    WriteFileBytes(Path("keys.txt"), TestData("german_cp1252.in"));
    TBinaryData component("tastenmemo");
    component.SetCompressed(true);
    component.LoadFromFile(Path("keys.txt"));
    EXPECT_TRUE(component.Compressed());
    EXPECT_EQ(component.DataStream().Bytes(), TestData("german_cp1252.lzh"));
    EXPECT_THROW(component.LoadFromFile(Path("missing.txt")), std::system_error);
    EXPECT_EQ(component.DataStream().Bytes(), TestData("german_cp1252.lzh"));
}

} // namespace
