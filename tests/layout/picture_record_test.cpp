#include "layout/picture_record.h"

#include "datastore/binary_data.h"
#include "support/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PlainMessages : public MessageService {
public:
    std::uint16_t MessageDlg(const std::string&, std::uint8_t, std::uint16_t, int) override { return mrOk; }
    void ShowMessage(const std::string&) override {}
    void PlainMessage(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

TEST(PictureRecord, OnlyTheExtensionBmpIsAPicture)
{
    PlainMessages messages;
    MessageService* previous = SetMessageService(&messages);
    TBinaryData record("bildmemo");
    record.SetExtension("bmp");
    EXPECT_TRUE(PictureRecordIsBitmap(record));
    EXPECT_TRUE(messages.shown.empty());

    for (const char* extension : {"BMP", "txt", ""}) {
        record.SetExtension(extension);
        EXPECT_FALSE(PictureRecordIsBitmap(record)) << extension;
    }
    EXPECT_EQ(messages.shown, std::vector<std::string>(3, "Bild \"bildmemo\" existiert nicht."));
    SetMessageService(previous);
}

}  // namespace
