#include "datastore/window_record_format.h"

#include "datastore/lzh_codec.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

// TheData of a plain "Hello" behind Compressed false and Extension "txt".
const std::string kSmallRecord = "TWDR\x01"s
                                 "\x06TTestf"
                                 "\x01\x00"s
                                 "\x04memo"
                                 "\x03"
                                 "\x0A"
                                 "Compressed"
                                 "\x01"
                                 "\x09"
                                 "Extension"
                                 "\x03"
                                 "\x03"
                                 "txt"
                                 "\x07"
                                 "TheData"
                                 "\x04"
                                 "\x09\x00\x00\x00"s
                                 "\x05\x00\x00\x00"s
                                 "Hello";

StoredComponent SmallComponent()
{
    return {"memo", {CompressedProperty{false}, ExtensionProperty{"txt"}, TheDataProperty{"\x05\0\0\0Hello"s}}};
}

TEST(WindowRecordFormat, LaysOutTheRecordByteForByte)
{
    const WindowRecord record{"TTestf", {SmallComponent()}};
    EXPECT_EQ(WriteWindowRecord(record), kSmallRecord);
    EXPECT_EQ(ReadWindowRecord(kSmallRecord), record);
}

TEST(WindowRecordFormat, StoresCompressedThenExtensionOnlyWhenSetThenTheData)
{
    TBinaryData plain("memo");
    plain.SetExtension("txt");
    plain.SetLines({"Hello"});
    EXPECT_EQ(StoreComponent(plain).properties,
              (std::vector<StoredProperty>{CompressedProperty{false}, ExtensionProperty{"txt"},
                                           TheDataProperty{"\x07\0\0\0Hello\r\n"s}}));

    TBinaryData uninstaller("uninstexe");
    uninstaller.SetCompressed(true);
    EXPECT_EQ(StoreComponent(uninstaller).properties,
              (std::vector<StoredProperty>{CompressedProperty{true}, TheDataProperty{"\0\0\0\0"s}}));
}

TEST(WindowRecordFormat, RoundTripsComponentsThroughTheirStoredForm)
{
    TBinaryData text("sprachmemo");
    text.SetCompressed(true);
    text.SetLines({"Programm beenden?", "Quit program?",
                   "Gr\xFC\xDF"
                   "e"});
    TBinaryData empty("leer");
    TBinaryData tiny("kurz");
    tiny.SetLines({"ab"});

    const WindowRecord record{"TMainform", {StoreComponent(text), StoreComponent(empty), StoreComponent(tiny)}};
    const WindowRecord reread = ReadWindowRecord(WriteWindowRecord(record));
    ASSERT_EQ(reread, record);

    const auto loaded = LoadStoredComponent(*FindStoredComponent(reread, "sprachmemo"));
    EXPECT_EQ(loaded->Name(), "sprachmemo");
    EXPECT_TRUE(loaded->Compressed());
    EXPECT_EQ(loaded->Extension(), "txt");
    EXPECT_EQ(loaded->DataStream().Bytes(), text.DataStream().Bytes());
    EXPECT_EQ(loaded->Lines(), text.Lines());
    EXPECT_EQ(LoadStoredComponent(*FindStoredComponent(reread, "leer"))->DataSize(), 0);
    EXPECT_EQ(FindStoredComponent(reread, "missing"), nullptr);
}

TEST(WindowRecordFormat, AppliesPropertiesInStoredOrder)
{
    const std::string plain = "a payload long enough to compress";
    const std::string block = LzhEncodeBytes(plain);
    TBinaryData source("memo");
    source.SetLines({plain});

    // TheData before Compressed: the flag then compresses the plain bytes it finds.
    const StoredComponent late{"memo", {TheDataProperty{source.WriteTheData()}, CompressedProperty{true}}};
    const auto compressedLate = LoadStoredComponent(late);
    EXPECT_TRUE(compressedLate->Compressed());
    EXPECT_EQ(compressedLate->UnpackedStream().Bytes(), plain + "\r\n");

    // The usual order: the flag meets an empty stream, TheData brings the block unchanged.
    source.SetCompressed(true);
    const auto usual = LoadStoredComponent(StoreComponent(source));
    EXPECT_EQ(usual->DataStream().Bytes(), source.DataStream().Bytes());
    EXPECT_EQ(usual->UnpackedStream().Bytes(), plain + "\r\n");
}

TEST(WindowRecordFormat, RefusesEveryTruncation)
{
    for (std::size_t length = 0; length < kSmallRecord.size(); ++length) {
        const std::string truncated = kSmallRecord.substr(0, length);
        EXPECT_THROW(ReadWindowRecord(truncated), EWindowRecordError) << "length " << length;
    }
}

std::string Patched(std::size_t offset, std::string_view bytes)
{
    std::string record = kSmallRecord;
    record.replace(offset, bytes.size(), bytes);
    return record;
}

TEST(WindowRecordFormat, RefusesDamagedRecords)
{
    const std::size_t theDataLength = kSmallRecord.find("TheData") + 8;
    const std::size_t count = theDataLength + 4;
    const std::size_t compressedType = kSmallRecord.find("Compressed") + 10;
    const std::size_t extensionName = kSmallRecord.find("Extension");
    const struct {
        const char* problem;
        std::string record;
    } damaged[] = {
        {"wrong magic", Patched(0, "TWDX")},
        {"other version", Patched(4, "\x02")},
        {"byte after the end", kSmallRecord + "\0"s},
        {"one component too many", Patched(12, "\x02")},
        {"binary length beyond the end", Patched(theDataLength, "\x0A")},
        {"count larger than the bytes", Patched(count, "\x06")},
        {"count smaller than the bytes", Patched(count, "\x04")},
        {"negative count", Patched(count, "\xFF\xFF\xFF\xFF")},
        {"binary value without count", kSmallRecord.substr(0, theDataLength) + "\x03\0\0\0abc"s},
        {"unknown value type", Patched(compressedType, "\x07")},
        {"text where a flag belongs", Patched(compressedType, "\x03")},
        {"unknown property", Patched(extensionName, "Extensiox")},
        {"name with a space", Patched(6, "T Test")},
        {"name starting with a digit", Patched(6, "1")},
        {"empty name", Patched(5, "\0"s)},
    };
    for (const auto& [problem, record] : damaged)
        EXPECT_THROW(ReadWindowRecord(record), EWindowRecordError) << problem;
}

TEST(WindowRecordFormat, RefusesDuplicateComponents)
{
    const WindowRecord twice{"TTestf", {SmallComponent(), SmallComponent()}};
    EXPECT_THROW(WriteWindowRecord(twice), EWindowRecordError);

    std::string record = kSmallRecord;
    record[12] = '\x02';
    record += kSmallRecord.substr(14);
    EXPECT_THROW(ReadWindowRecord(record), EWindowRecordError);
}

TEST(WindowRecordFormat, WritingRefusesWhatTheFormatCannotCarry)
{
    EXPECT_THROW(WriteWindowRecord({"bad name", {}}), EWindowRecordError);
    EXPECT_THROW(WriteWindowRecord({"TForm", {{"", {}}}}), EWindowRecordError);
    EXPECT_THROW(WriteWindowRecord({"TForm", {{"memo", {ExtensionProperty{std::string(256, 'x')}}}}}),
                 EWindowRecordError);
    EXPECT_TRUE(IsRecordName("_tasten2memo"));
    EXPECT_FALSE(IsRecordName("2tasten"));
    EXPECT_FALSE(IsRecordName("b\xE4r"));
    EXPECT_FALSE(IsRecordName(std::string(256, 'a')));
}

TEST(WindowRecordFormat, MessagesSayWhatIsWrong)
{
    try {
        ReadWindowRecord(kSmallRecord.substr(0, kSmallRecord.size() - 2));
        FAIL() << "a truncated record was read";
    } catch (const EWindowRecordError& error) {
        EXPECT_STREQ(error.what(),
                     "damaged window record: it is truncated: binary value at offset 60 needs 9 bytes, 7 are left");
    }
    try {
        ReadWindowRecord("MZ\x90\0"s);
        FAIL() << "a foreign file was read";
    } catch (const EWindowRecordError& error) {
        EXPECT_STREQ(error.what(), "not a window record: it does not start with \"TWDR\"");
    }
}

} // namespace
