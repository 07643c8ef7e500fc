#include "layout/picture_record.h"

#include "datastore/binary_data.h"
#include "datastore/lzh_codec.h"
#include "datastore/window_records.h"
#include "recording_messages.h"
#include "support/messages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// A 24-bit bitmap of width x height pixels with a 40-byte information header.
std::string Bitmap(std::int32_t width, std::int32_t height)
{
    const std::uint32_t rows = static_cast<std::uint32_t>(height < 0 ? -height : height);
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(width) * 24 + 31) / 32 * 4;
    std::string bytes(54 + rowSize * rows, '\x7F');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    Put(bytes, 6, 0, 4);
    Put(bytes, 10, 54, 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, static_cast<std::uint32_t>(width), 4);
    Put(bytes, 22, static_cast<std::uint32_t>(height), 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, 24, 2);
    Put(bytes, 30, 0, 4);
    return bytes;
}

std::string Changed(std::string bytes, std::size_t at, std::uint32_t value, int width)
{
    Put(bytes, at, value, width);
    return bytes;
}

TBinaryData Record(const std::string& extension, const std::string& payload, bool compressed = false)
{
    TBinaryData record("bildmemo");
    record.SetCompressed(compressed);
    record.SetExtension(extension);
    std::string theData(4, '\0');
    Put(theData, 0, static_cast<std::uint32_t>(payload.size()), 4);
    record.ReadTheData(theData + payload);
    return record;
}

class PictureRecordTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetMessageService(&messages); }
    void TearDown() override { SetMessageService(previous_); }

    RecordingMessages messages;

private:
    MessageService* previous_ = nullptr;
};

TEST_F(PictureRecordTest, TheStoredPictureIsABitmap)
{
    auto stored = LoadEmbeddedComponent("TLayoutform", "bildmemo");
    ASSERT_TRUE(stored);
    const std::string* bytes = PictureRecordBitmap(*stored);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 213374u);
    EXPECT_TRUE(messages.plain.empty());
}

TEST_F(PictureRecordTest, OnlyTheExtensionBmpIsAPicture)
{
    for (const char* extension : {"BMP", "txt", ""}) {
        TBinaryData record = Record(extension, Bitmap(2, 2));
        EXPECT_FALSE(PictureRecordBitmap(record)) << extension;
    }
    EXPECT_EQ(messages.plain, std::vector<std::string>(3, "Bild \"%s\" existiert nicht.|bildmemo"));
}

TEST_F(PictureRecordTest, BytesThatAreNoBitmapAreRefused)
{
    const std::string good = Bitmap(3, 2);
    const std::string packedGood = LzhEncodeBytes(good);
    ASSERT_TRUE(IsWindowsBitmap(good));
    EXPECT_TRUE(IsWindowsBitmap(Bitmap(1, -1)));                     // rows stored top-down
    EXPECT_TRUE(IsWindowsBitmap(Changed(good, 10, 58, 4) + "abcd")); // pixels behind a larger offset

    const std::vector<std::pair<const char*, std::string>> refused = {
        {"text", "Hallo Welt, dies ist kein Bild."},
        {"empty", ""},
        {"a file header alone", good.substr(0, 14)},
        {"no BM", Changed(good, 0, 'M' | 'B' << 8, 2)},
        {"unknown header size", Changed(good, 14, 41, 4)},
        {"pixels before the headers end", Changed(good, 10, 53, 4)},
        {"pixels behind the end", Changed(good, 10, static_cast<std::uint32_t>(good.size()) + 1, 4)},
        {"no width", Changed(good, 18, 0, 4)},
        {"negative width", Changed(good, 18, static_cast<std::uint32_t>(-3), 4)},
        {"no height", Changed(good, 22, 0, 4)},
        {"wider than a picture", Changed(good, 18, 32768, 4)},
        {"two planes", Changed(good, 26, 2, 2)},
        {"7 bits per pixel", Changed(good, 28, 7, 2)},
        {"unknown compression", Changed(good, 30, 9, 4)},
        {"run-length coded 24 bits", Changed(good, 30, 1, 4)},
        {"a row missing", good.substr(0, good.size() - 12)},
    };
    for (const auto& [what, bytes] : refused) {
        EXPECT_FALSE(IsWindowsBitmap(bytes)) << what;
        TBinaryData record = Record("bmp", bytes);
        EXPECT_FALSE(PictureRecordBitmap(record)) << what;
    }
    // A compressed record whose block is damaged holds no bitmap either.
    TBinaryData damaged = Record("bmp", packedGood.substr(0, packedGood.size() / 2), true);
    EXPECT_FALSE(PictureRecordBitmap(damaged));
    EXPECT_EQ(messages.plain,
              std::vector<std::string>(refused.size() + 1, "Bild \"%s\" ist keine Windows-Bitmap.|bildmemo"));

    TBinaryData packed = Record("bmp", packedGood, true);
    const std::string* bytes = PictureRecordBitmap(packed);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, good);
}

} // namespace
