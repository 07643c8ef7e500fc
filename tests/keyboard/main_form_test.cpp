// The keyboard window on Qt's offscreen platform, with a recording keyboard output.

#include "keyboard/key_hit_test.h"
#include "keyboard/keyboard_image.h"
#include "keyboard/main_form.h"
#include "layout/layout_form.h"
#include "services/program_record.h"
#include "support/ini_file.h"
#include "support/messages.h"

#include "native_platform_environment.h"
#include "recording_output.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Answers the close question as told and counts what was asked.
class ScriptedMessages : public MessageService {
public:
    std::uint16_t answer = mrNo;
    std::vector<std::string> questions;
    std::vector<std::string> notices;

    std::uint16_t MessageDlg(const std::string& message, std::uint8_t, std::uint16_t, int) override
    {
        questions.push_back(message);
        return answer;
    }
    void ShowMessage(const std::string& message) override { notices.push_back(message); }
    void PlainMessage(const std::string&) override {}
};

class MainFormTest : public ::testing::Test {
protected:
    fs::path folder;
    ScriptedMessages messages;
    MessageService* previousMessages = nullptr;
    RecordingOutput output;

    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("tapsody-mainform-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.Title = "Tapsody 1.7";
        ProgInfo.Byline = "Byline";
        ProgInfo.SaveDir = folder.string() + "/";
        ProgInfo.ProgDir = ProgInfo.SaveDir;
        ParamLine.clear();
        previousMessages = SetMessageService(&messages);
    }

    void TearDown() override
    {
        SetMessageService(previousMessages);
        SetInformationDialog(nullptr);
        fs::remove_all(folder);
    }

    std::string Settings() const
    {
        std::ifstream in(folder / "Tapsodia.ini");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

// The keyboard window with its layout editor, created in the program's order.
struct Windows {
    explicit Windows(KeyboardOutput& output) : mainform(output) { mainform.ShowKeyboard(); }
    TMainform mainform;
    TLayoutform layoutform;
};

template <typename T>
T* Child(QObject& parent, const char* name)
{
    return parent.findChild<T*>(name);
}

TEST_F(MainFormTest, IsSizedToThePictureStaysOnTopAndNeverTakesTheFocus)
{
    TMainform mainform(output);
    TLayoutform layoutform;
    auto* timer = Child<QTimer>(mainform, "Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    mainform.ShowKeyboard();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 200);
    EXPECT_EQ(mainform.size(), QSize(889, 238));
    EXPECT_EQ(mainform.minimumSize(), mainform.maximumSize());
    EXPECT_TRUE(mainform.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(mainform.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(mainform.windowTitle(), "Tapsody 1.7 Byline");
    for (const char* name : {"peepchk", "Fragenvorbeenden1", "noauto", "Infobtn"})
        EXPECT_NE(Child<QAction>(mainform, name), nullptr) << name;
    EXPECT_NE(Child<TKeyboardImage>(mainform, "Image"), nullptr);
}

TEST_F(MainFormTest, SwitchesRemoveTheCaptionAndTheDrag)
{
    ParamLine = "/I x /m";
    Windows windows(output);
    EXPECT_TRUE(windows.mainform.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(windows.mainform.Pad()->nodrag);
    EXPECT_EQ(ParamLine, "x "); // trimmed after "/i" only
}

TEST_F(MainFormTest, WithoutSwitchesTheWindowHasItsCaptionAndDrags)
{
    ParamLine = "=1";
    Windows windows(output);
    EXPECT_FALSE(windows.mainform.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(windows.mainform.Pad()->nodrag);
}

TEST_F(MainFormTest, OptionsDefaultAndAreWrittenOnlyWhenTheWindowCloses)
{
    messages.answer = mrNo;
    {
        Windows windows(output);
        EXPECT_FALSE(windows.mainform.BeepOn());
        EXPECT_TRUE(windows.mainform.AskBeforeEnd());
        Child<QAction>(windows.mainform, "peepchk")->trigger();
        Child<QAction>(windows.mainform, "noauto")->trigger();
        EXPECT_TRUE(windows.mainform.Pad()->peep);
        EXPECT_TRUE(windows.mainform.Pad()->noauto);
        EXPECT_FALSE(windows.mainform.close());
        EXPECT_EQ(messages.questions, (std::vector<std::string>{"Programm beenden?"}));
        EXPECT_TRUE(windows.mainform.isVisible());
        EXPECT_EQ(Settings(), "");
        EXPECT_TRUE(Child<QTimer>(windows.mainform, "Timer1")->isActive());
        messages.answer = mrYes;
        EXPECT_TRUE(windows.mainform.close());
    }
    tinifile2 settings((folder / "Tapsodia.ini").string());
    EXPECT_TRUE(settings.ReadBool("Setup", "Peep", false));
    EXPECT_TRUE(settings.ReadBool("Setup", "endefragen", false));

    Windows again(output);
    EXPECT_TRUE(again.mainform.BeepOn());
    EXPECT_FALSE(again.mainform.NoAutoselect());
}

TEST_F(MainFormTest, WithoutTheQuestionClosingGoesOnAtOnce)
{
    Windows windows(output);
    Child<QAction>(windows.mainform, "Fragenvorbeenden1")->trigger();
    EXPECT_TRUE(windows.mainform.close());
    EXPECT_TRUE(messages.questions.empty());
}

TEST_F(MainFormTest, TrackingIgnoresTheProgramsOwnWindows)
{
    Windows windows(output);
    output.foreground = windows.mainform.winId();
    windows.mainform.Timer1Timer();
    EXPECT_EQ(windows.mainform.Pad()->targetwnd, 0u);
    output.foreground = 4711;
    windows.mainform.Timer1Timer();
    output.foreground = 0;
    windows.mainform.Timer1Timer();
    EXPECT_EQ(windows.mainform.Pad()->targetwnd, 4711u);
}

TEST_F(MainFormTest, F1ShowsTheInformationDialogWithTheTrackingPaused)
{
    Windows windows(output);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&windows.mainform, &f1); // no dialog yet: nothing happens
    bool timerWasActive = true;
    int shown = 0;
    SetInformationDialog([&] {
        ++shown;
        timerWasActive = Child<QTimer>(windows.mainform, "Timer1")->isActive();
    });
    QApplication::sendEvent(&windows.mainform, &f1);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(timerWasActive);
    EXPECT_TRUE(Child<QTimer>(windows.mainform, "Timer1")->isActive());
}

TEST_F(MainFormTest, HighlightsAreInvertedOnACopyOfThePicture)
{
    Windows windows(output);
    const QImage picture = windows.layoutform.Picture().convertToFormat(QImage::Format_RGB32);
    auto* image = Child<TKeyboardImage>(windows.mainform, "Image");
    EXPECT_EQ(image->Canvas(), picture);
    image->ShowPicture(windows.layoutform.Picture(), {{10, 20, 13, 22}});
    for (int y = 19; y <= 22; ++y)
        for (int x = 9; x <= 13; ++x) {
            const bool inside = x >= 10 && x < 13 && y >= 20 && y < 22;
            const QRgb expected = inside ? picture.pixel(x, y) ^ 0x00FFFFFFu : picture.pixel(x, y);
            EXPECT_EQ(image->Canvas().pixel(x, y), expected) << x << "," << y;
        }
    image->ShowPicture(windows.layoutform.Picture(), {{10, 20, 13, 22}, {10, 20, 13, 22}});
    EXPECT_EQ(image->Canvas(), picture);
    EXPECT_EQ(windows.layoutform.Picture().convertToFormat(QImage::Format_RGB32), picture);

    // Another picture is shown afresh, also where areas were inverted before.
    image->ShowPicture(windows.layoutform.Picture(), {{0, 0, 5, 5}});
    QImage other(picture.size(), QImage::Format_RGB32);
    other.fill(Qt::darkGray);
    image->ShowPicture(other, {});
    EXPECT_EQ(image->Canvas(), other);
    image->ShowPicture(windows.layoutform.Picture(), {{0, 0, 5, 5}});
    image->ShowPicture(windows.layoutform.Picture(), {});
    EXPECT_EQ(image->Canvas(), picture);
}

TEST_F(MainFormTest, MenuOpensTheLayoutEditorWhoseEditsShowAtOnce)
{
    Windows windows(output);
    const QList<QAction*> items = Child<QMenu>(windows.mainform, "PopupMenu1")->actions();
    ASSERT_EQ(items.size(), 6);
    EXPECT_TRUE(items[4]->isSeparator());
    EXPECT_EQ(items[5]->objectName(), "Layoutbtn");
    EXPECT_EQ(items[5]->text(), "Tastaturlayout bearbeiten...");
    items[5]->trigger();
    EXPECT_TRUE(windows.layoutform.isVisible());

    // The keyboard redraws when the table changes: a latch set behind its back shows then.
    auto* image = Child<TKeyboardImage>(windows.mainform, "Image");
    const QImage before = image->Canvas();
    windows.mainform.Pad()->latches.shift = true;
    windows.layoutform.neubtnClick();
    EXPECT_NE(image->Canvas(), before);
    EXPECT_EQ(KeyAt(windows.layoutform.Keys(), 90, 140), -1);
}

TEST_F(MainFormTest, PressWithoutTargetShowsTheMessageAndPausesTracking)
{
    Windows windows(output);
    windows.mainform.Pad()->ImageMouseDown(KeyboardPad::Button::Left, 90, 140); // "a"
    EXPECT_EQ(messages.notices, (std::vector<std::string>{"Bitte vorher ein Fenster aktivieren."}));
    EXPECT_TRUE(Child<QTimer>(windows.mainform, "Timer1")->isActive());
}

} // namespace
