// The record TRecordTestform is packed from the shared test data when this
// program is built (tests/datastore/CMakeLists.txt) and linked into it.

#include "datastore/file_bytes.h"
#include "datastore/window_record_format.h"
#include "datastore/window_records.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string TestData(const std::string& name)
{
    return ReadFileBytes(std::string(TAPSODY_TESTDATA_DIR) + "/lzhuf/" + name);
}

TEST(EmbeddedRecord, IsLinkedInAndListed)
{
    const std::vector<std::string> windows = EmbeddedWindows();
    EXPECT_TRUE(std::is_sorted(windows.begin(), windows.end()));
    EXPECT_NE(std::find(windows.begin(), windows.end(), "TRecordTestform"), windows.end());
    EXPECT_EQ(ReadWindowRecord(EmbeddedRecord("TRecordTestform")).window, "TRecordTestform");
}

TEST(EmbeddedRecord, GivesBackTheFileItWasPackedFrom)
{
    const auto text = LoadEmbeddedComponent("TRecordTestform", "textmemo");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Name(), "textmemo");
    EXPECT_TRUE(text->Compressed());
    EXPECT_EQ(text->Extension(), "txt");
    EXPECT_EQ(text->DataStream().Bytes(), TestData("german_cp1252.lzh"));
    EXPECT_EQ(text->UnpackedStream().Bytes(), TestData("german_cp1252.in"));
}

TEST(EmbeddedRecord, KeepsTinyAndEmptyFilesWhole)
{
    const auto tiny = LoadEmbeddedComponent("TRecordTestform", "tinymemo");
    ASSERT_NE(tiny, nullptr);
    EXPECT_FALSE(tiny->Compressed());
    EXPECT_EQ(tiny->UnpackedStream().Bytes(), TestData("len3.in"));

    const auto empty = LoadEmbeddedComponent("TRecordTestform", "emptyexe");
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->Compressed());
    EXPECT_EQ(empty->Extension(), "");
    EXPECT_EQ(empty->UnpackedStream().Size(), 0);
}

TEST(EmbeddedRecord, UnknownWindowOrComponentGivesNothing)
{
    EXPECT_EQ(LoadEmbeddedComponent("TRecordTestform", "nosuchmemo"), nullptr);
    EXPECT_EQ(LoadEmbeddedComponent("TNoSuchform", "textmemo"), nullptr);
    EXPECT_TRUE(EmbeddedRecord("TNoSuchform").empty());
}

} // namespace
