#include "fake_platform.h"
#include "modal_driver.h"
#include "platform/linux/linux_files.h"
#include "platform/linux/linux_folders.h"
#include "sandbox.h"
#include "services/program_record.h"
#include "setup/dir_dialog.h"
#include "support/bit_button.h"
#include "support/language_forms.h"
#include "support/language_list.h"
#include "support/qt_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The real dialog on the real file system of a sandboxed home; the drives and
// the messages are the fakes'.
class DirDialogTest : public ::testing::Test {
protected:
    DirDialogTest()
    {
        ProgInfo = TProgInfo{};
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.SaveDir = sandbox.Root() + "/tmp/";
        platform = ThePlatform();
        platform.files = &files;
        platform.folders = &folders;
        previous = SetPlatform(&platform);
        home = sandbox.Home() + "/";
        for (const char* folder : {"Alpha", "beta/Inner", "Gamma", ".versteckt"})
            std::filesystem::create_directories(home + folder);
        Sandbox::Write(home + "notiz.txt", "");
        Sprachliste.Clear();
    }
    ~DirDialogTest() override
    {
        SetPlatform(previous);
        Sprachliste.Clear();
    }

    Sandbox sandbox;
    FakePlatform fake;
    LinuxFileSystem files;
    LinuxSystemFolders folders;
    Platform platform;
    Platform* previous = nullptr;
    std::string home;
};

// Answers the next input query with name.
void AnswerQuery(const QString& name)
{
    WhenModalShown([name](QWidget* query) {
        auto* edit = query->findChild<QLineEdit*>("Edit");
        edit->setText(name);
        PressKey(edit, Qt::Key_Return);
    });
}

std::vector<std::string> Shown(const QListWidget& list)
{
    std::vector<std::string> captions;
    for (int row = 0; row < list.count(); ++row)
        captions.push_back(ToAnsi(list.item(row)->text()));
    return captions;
}

std::string Current(const QListWidget& list)
{
    return list.currentItem() ? ToAnsi(list.currentItem()->text()) : "(none)";
}

TEST_F(DirDialogTest, WalkedByKeysItMakesAFolderAndChecksTheOneConfirmed)
{
    TDirDialog dialog;
    const auto label = [&] { return ToAnsi(dialog.Label1->text()); };
    bool walked = false;
    WhenModalShown([&](QWidget*) {
        QListWidget& list = *dialog.List;         // made when the dialog is first shown
        EXPECT_EQ(label(), home + "beta/Inner/"); // the deepest folder of the start folder
        EXPECT_EQ(Shown(list), (std::vector<std::string>{".."}));
        PressKey(&list, Qt::Key_Return);
        EXPECT_EQ(Current(list), "Inner");
        PressKey(&list, Qt::Key_Home);
        PressKey(&list, Qt::Key_Return);
        EXPECT_EQ(Current(list), "beta");
        EXPECT_EQ(label(), home + "beta/");
        PressKey(&list, Qt::Key_Home);
        PressKey(&list, Qt::Key_Return);
        EXPECT_EQ(Shown(list), (std::vector<std::string>{"~: anna", "/: System"}));
        EXPECT_EQ(Current(list), "~: anna");
        EXPECT_FALSE(dialog.NeuerOrdnerBtn->isEnabled());

        PressKey(&list, Qt::Key_Return);
        EXPECT_EQ(Shown(list), (std::vector<std::string>{"..", "Alpha", "beta", "Gamma"}));
        PressKey(&list, Qt::Key_Backslash, "\\");
        EXPECT_EQ(Current(list), "~: anna");
        PressKey(&list, Qt::Key_Return);

        AnswerQuery("Neu");
        PressKey(&list, Qt::Key_N, "n");
        EXPECT_EQ(Shown(list), (std::vector<std::string>{"..", "Alpha", "beta", "Gamma", "Neu"}));
        EXPECT_TRUE(std::filesystem::is_directory(home + "Neu"));
        AnswerQuery("a:b");
        PressKey(&list, Qt::Key_N, "n");
        EXPECT_EQ(fake.messages.shown.back(), "show:Name darf kein \"%s\" enthalten.|:");
        EXPECT_EQ(list.count(), 5);

        PressKey(&list, Qt::Key_End);
        PressKey(&list, Qt::Key_Up);
        EXPECT_EQ(label(), home + "Gamma/");
        std::filesystem::remove(home + "Gamma");
        fake.messages.answer = mrCancel;
        dialog.Okbutton->click();
        EXPECT_EQ(fake.messages.shown.back(), "dlg1:Laufwerk %s ist nicht bereit.|" + home + "Gamma/");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Current(list), "~: anna");
        EXPECT_EQ(ChosenFolder(), "");

        PressKey(&list, Qt::Key_Return);
        PressKey(&list, Qt::Key_Down);
        walked = true;
        dialog.Okbutton->click();
    });
    EXPECT_EQ(ChooseFolder(home + "beta/Inner/weg/"), mrOk);
    EXPECT_TRUE(walked);
    EXPECT_EQ(ChosenFolder(), home + "Alpha/");
    EXPECT_NE(Sandbox::Read(ProgInfo.SaveDir + "Tapsodia.ini").find("[FensterDirDialog]"), std::string::npos);

    // "x" opens on the folder chosen before; Escape cancels.
    WhenModalShown([&](QWidget*) {
        EXPECT_EQ(label(), home + "Alpha/");
        PressKey(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(ChooseFolder("x"), mrCancel);
}

TEST_F(DirDialogTest, SpeaksEnglishWithItsOwnTextPairs)
{
    TranslationOn = true;
    TDirDialog dialog;
    ASSERT_TRUE(TranslateForms(LanguageEnglish));
    WhenModalShown([&](QWidget*) {
        EXPECT_EQ(dialog.windowTitle(), "Choose directory...");
        EXPECT_EQ(dialog.NeuerOrdnerBtn->text(), "&New directory");
        EXPECT_EQ(dialog.Abbruchbutton->text(), "&Cancel");
        EXPECT_EQ(dialog.BitBtn1->toolTip(), "change to desktop");
        dialog.Abbruchbutton->click();
    });
    ChooseFolder("");
    TranslateForms(LanguageGerman);
    TranslationOn = false;
}

} // namespace
