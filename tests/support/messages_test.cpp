#include "support/messages.h"
#include "support/translation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingMessages final : public MessageService {
public:
    std::vector<std::string> shown;
    std::uint16_t answer = mrYes;

    std::uint16_t MessageDlg(const std::string& message, std::uint8_t, std::uint16_t, int) override
    {
        shown.push_back("dlg:" + message);
        return answer;
    }
    void ShowMessage(const std::string& message) override { shown.push_back("show:" + message); }
    void PlainMessage(const std::string& text) override { shown.push_back("plain:" + text); }
};

} // namespace

TEST(Messages, GoThroughTheInstalledServiceUntilItIsRemoved)
{
    RecordingMessages recorder;
    MessageService* previous = SetMessageService(&recorder);
    EXPECT_EQ(MyMessageDlg("Frage", mtConfirmation, mbYes | mbNo), mrYes);
    MyShowMessage("Hinweis");
    ShowPlainMessage("Sprachedatei ungerade:");
    SetMessageService(previous);
    MyShowMessage("nicht aufgezeichnet");

    EXPECT_EQ(recorder.shown, (std::vector<std::string>{"dlg:Frage", "show:Hinweis", "plain:Sprachedatei ungerade:"}));
}

TEST(Translation, IsTheIdentityUntilALookupIsInstalled)
{
    EXPECT_EQ(TranslateProgramText("Tage"), "Tage");
    auto previous = SetProgramTextTranslator([](const std::string& text) { return "<" + text + ">"; });
    EXPECT_EQ(TranslateProgramText("Tage"), "<Tage>");
    SetProgramTextTranslator(previous);
    EXPECT_EQ(TranslateProgramText("Tage"), "Tage");
}
