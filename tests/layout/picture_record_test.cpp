#include "layout/picture_record.h"

#include "datastore/binary_data.h"
#include "recording_messages.h"
#include "support/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PictureRecord, OnlyTheExtensionBmpIsAPicture)
{
    RecordingMessages messages;
    MessageService* previous = SetMessageService(&messages);
    TBinaryData record("bildmemo");
    record.SetExtension("bmp");
    EXPECT_TRUE(PictureRecordIsBitmap(record));
    EXPECT_TRUE(messages.plain.empty());

    for (const char* extension : {"BMP", "txt", ""}) {
        record.SetExtension(extension);
        EXPECT_FALSE(PictureRecordIsBitmap(record)) << extension;
    }
    EXPECT_EQ(messages.plain, std::vector<std::string>(3, "Bild \"bildmemo\" existiert nicht."));
    SetMessageService(previous);
}

}  // namespace
