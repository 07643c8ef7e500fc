#include "modal_driver.h"

#include "services/program_record.h"
#include "support/bit_button.h"
#include "support/language_list.h"
#include "support/my_label.h"
#include "support/qt_messages.h"
#include "support/qt_text.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QThread>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ShownButton {
    QString caption;
    QRect geometry;
    int result;
    bool cancel;
    bool hasGlyph;
};

// What a message box shows, read while it is open.
struct ShownDialog {
    QString title;
    QString message;
    QSize size;
    QRect messageRect;
    QRect image;
    bool imageHasPicture = false;
    std::vector<ShownButton> buttons;
};

ShownDialog Inspect(QWidget* dialog)
{
    ShownDialog shown;
    shown.title = dialog->windowTitle();
    shown.size = dialog->size();
    if (auto* message = dialog->findChild<QLabel*>(QStringLiteral("Message"))) {
        shown.message = message->text();
        shown.messageRect = message->geometry();
    }
    if (auto* image = dialog->findChild<QLabel*>(QStringLiteral("Image"))) {
        shown.image = image->geometry();
        shown.imageHasPicture = !image->pixmap().isNull();
    }
    for (TBitBtn* button : dialog->findChildren<TBitBtn*>())
        shown.buttons.push_back(
            {button->text(), button->geometry(), button->ModalResult(), button->Cancel(), !button->icon().isNull()});
    return shown;
}

TBitBtn* ButtonWithResult(QWidget* dialog, int result)
{
    for (TBitBtn* button : dialog->findChildren<TBitBtn*>())
        if (button->ModalResult() == result)
            return button;
    return nullptr;
}

// Records the sounds instead of ringing the bell.
class SoundRecorder {
public:
    SoundRecorder()
    {
        previous = SetDialogSoundPlayer([this](DialogSound sound) { sounds.push_back(sound); });
    }
    ~SoundRecorder() { SetDialogSoundPlayer(previous); }
    std::vector<DialogSound> sounds;

private:
    DialogSoundPlayer previous;
};

int HalfScreenWidth()
{
    return QGuiApplication::primaryScreen()->geometry().width() / 2;
}

} // namespace

TEST(MessageDialog, YesNoStandCentredAndEscapeAnswersNo)
{
    SoundRecorder recorder;
    ShownDialog shown;
    WhenModalShown([&shown](QWidget* dialog) {
        shown = Inspect(dialog);
        PressKey(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(ShowMessageDialog("Weiter?", mtConfirmation, mbYes | mbNo), mrNo);

    EXPECT_EQ(shown.title, QString::fromUtf8("Best\u00e4tigen"));
    EXPECT_EQ(shown.message, QStringLiteral("Weiter?"));
    ASSERT_EQ(shown.buttons.size(), 2u);
    EXPECT_EQ(shown.buttons[0].caption, QStringLiteral("&Ja"));
    EXPECT_EQ(shown.buttons[1].caption, QStringLiteral("&Nein"));
    EXPECT_EQ(shown.size.width(), 260);
    EXPECT_EQ(shown.buttons[0].geometry.left(), 30);
    EXPECT_EQ(shown.buttons[1].geometry.left(), 130);
    EXPECT_EQ(shown.buttons[0].geometry.width(), 90);
    EXPECT_EQ(shown.buttons[0].geometry.top(), shown.size.height() - 60);
    EXPECT_EQ(shown.messageRect.topLeft(), QPoint(60, 16));
    EXPECT_EQ(shown.size.height(), 16 + shown.messageRect.height() + 80);
    EXPECT_EQ(shown.image.topLeft(), QPoint(16, 10));
    EXPECT_TRUE(shown.imageHasPicture);
    EXPECT_EQ(recorder.sounds, std::vector<DialogSound>{DialogSound::Question});
}

TEST(MessageDialog, OkAloneIgnoresEscapeAndTakesEnter)
{
    bool stillOpenAfterEscape = false;
    WhenModalShown([&stillOpenAfterEscape](QWidget* dialog) {
        PressKey(dialog, Qt::Key_Escape);
        stillOpenAfterEscape = dialog->isVisible();
        PressKey(ButtonWithResult(dialog, mrOk), Qt::Key_Return);
    });
    EXPECT_EQ(ShowMessageDialog("Fertig", mtInformation, mbOK), mrOk);
    EXPECT_TRUE(stillOpenAfterEscape);
}

TEST(MessageDialog, CloseBoxGivesCancel)
{
    WhenModalShown([](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(ShowMessageDialog("Fertig", mtInformation, mbOK), mrCancel);
}

TEST(MessageDialog, EnterPressesTheFirstButtonWhichHasTheFocus)
{
    WhenModalShown([](QWidget* dialog) {
        // The window system gives a new window the focus a moment after showing it.
        for (int wait = 0; wait < 200 && !QApplication::focusWidget(); ++wait) {
            QThread::msleep(10);
            QCoreApplication::processEvents();
        }
        QWidget* yes = ButtonWithResult(dialog, mrYes);
        EXPECT_EQ(QApplication::focusWidget(), yes);
        PressKey(QApplication::focusWidget() ? QApplication::focusWidget() : yes, Qt::Key_Return);
    });
    EXPECT_EQ(ShowMessageDialog("Weiter?", mtConfirmation, mbYes | mbNo), mrYes);
}

TEST(MessageDialog, ClickGivesTheButtonsResult)
{
    WhenModalShown([](QWidget* dialog) { ButtonWithResult(dialog, mrRetry)->click(); });
    EXPECT_EQ(ShowMessageDialog("Nochmal?", mtError, mbRetry | mbAbort | mbIgnore), mrRetry);

    WhenModalShown([](QWidget* dialog) { ButtonWithResult(dialog, mrAll)->click(); });
    EXPECT_EQ(ShowMessageDialog("Alle?", mtWarning, mbYes | mbNo | mbAll), mrAll);
}

TEST(MessageDialog, EscapePressesTheFirstCancelButton)
{
    WhenModalShown([](QWidget* dialog) { PressKey(dialog, Qt::Key_Escape); });
    EXPECT_EQ(ShowMessageDialog("Abbrechen?", mtWarning, mbAbort | mbCancel | mbRetry), mrAbort);
}

TEST(MessageDialog, LongMessageWidensTheWindowAndCentresTheButtons)
{
    const std::string message(300, 'x');
    ShownDialog shown;
    WhenModalShown([&shown](QWidget* dialog) {
        shown = Inspect(dialog);
        dialog->close();
    });
    ShowMessageDialog(message, mtWarning, mbYes | mbNo);

    const int labelWidth = shown.messageRect.width();
    EXPECT_GE(labelWidth, QFontMetrics(QApplication::font()).horizontalAdvance(QString(300, QLatin1Char('x'))));
    EXPECT_EQ(shown.size.width(), labelWidth + 80);
    ASSERT_EQ(shown.buttons.size(), 2u);
    EXPECT_EQ(shown.buttons[0].geometry.left(), (labelWidth + 80 - 200) / 2);
    EXPECT_EQ(shown.buttons[1].geometry.left(), (labelWidth + 80 - 200) / 2 + 100);
}

TEST(MessageDialog, MessageLinesMakeTheWindowTaller)
{
    ShownDialog oneLine;
    ShownDialog threeLines;
    WhenModalShown([&oneLine](QWidget* dialog) {
        oneLine = Inspect(dialog);
        dialog->close();
    });
    ShowMessageDialog("eins", mtWarning, mbOK);
    WhenModalShown([&threeLines](QWidget* dialog) {
        threeLines = Inspect(dialog);
        dialog->close();
    });
    ShowMessageDialog("eins\r\nzwei\r\ndrei", mtWarning, mbOK);

    EXPECT_EQ(threeLines.message, QStringLiteral("eins\nzwei\ndrei"));
    const int lineSpacing = QFontMetrics(QApplication::font()).lineSpacing();
    EXPECT_EQ(threeLines.size.height() - oneLine.size.height(), 2 * lineSpacing);
}

TEST(MessageDialog, CustomTypeShowsInformationWithoutSound)
{
    SoundRecorder recorder;
    ShownDialog shown;
    WhenModalShown([&shown](QWidget* dialog) {
        shown = Inspect(dialog);
        dialog->close();
    });
    ShowMessageDialog("Hinweis", mtCustom, mbOK);
    EXPECT_EQ(shown.title, QStringLiteral("Information"));
    EXPECT_TRUE(shown.imageHasPicture);
    EXPECT_TRUE(recorder.sounds.empty());
}

TEST(MessageDialog, TranslatesCaptionButtonsAndTheParameterForm)
{
    const std::vector<std::string> pairs = {
        "Best\xE4tigen",
        "Confirm",
        "&Ja",
        "&Yes",
        "&Nein",
        "&No",
        "Konnte das Verzeichnis %s nicht anlegen",
        "Could not create the folder %s",
    };
    Sprachliste.Addstrings(pairs);
    TranslationOn = true;
    CurrentLanguage = LanguageEnglish;

    ShownDialog shown;
    WhenModalShown([&shown](QWidget* dialog) {
        shown = Inspect(dialog);
        dialog->close();
    });
    ShowMessageDialog("Konnte das Verzeichnis %s nicht anlegen|/home/\xE4rger", mtConfirmation, mbYes | mbNo);

    CurrentLanguage = LanguageGerman;
    TranslationOn = false;
    Sprachliste.Clear();

    EXPECT_EQ(shown.title, QStringLiteral("Confirm"));
    EXPECT_EQ(shown.message, QString::fromUtf8("Could not create the folder /home/\u00e4rger"));
    ASSERT_EQ(shown.buttons.size(), 2u);
    EXPECT_EQ(shown.buttons[0].caption, QStringLiteral("&Yes"));
    EXPECT_EQ(shown.buttons[1].caption, QStringLiteral("&No"));
}

TEST(Notice, ShortTextSitsAboveACentredOkButton)
{
    ProgInfo.Title = "Tapsody 1.7";
    QString title;
    QSize size;
    QRect label;
    QRect ok;
    WhenModalShown([&](QWidget* dialog) {
        title = dialog->windowTitle();
        size = dialog->size();
        label = dialog->findChild<TMyLabel*>()->geometry();
        ok = dialog->findChild<TOkbutton*>()->geometry();
        PressKey(dialog, Qt::Key_Escape);
    });
    ShowNotice("Gespeichert.");

    EXPECT_EQ(title, QStringLiteral("Tapsody 1.7"));
    EXPECT_EQ(label.topLeft(), QPoint(8, 8));
    EXPECT_EQ(size.width(), std::max(label.width(), ok.width()) + 16);
    EXPECT_EQ(ok.left(), (size.width() - ok.width()) / 2);
    EXPECT_EQ(ok.top(), label.bottom() + 1 + 12);
    EXPECT_EQ(size.height(), ok.bottom() + 1 + 4);
}

namespace {

struct NoticeShape {
    QRect label;
    LabelTextExtent text;
};

NoticeShape ShowNoticeAndMeasure(const std::string& message)
{
    NoticeShape shape;
    WhenModalShown([&shape](QWidget* dialog) {
        auto* label = dialog->findChild<TMyLabel*>();
        shape = {label->geometry(), label->TextExtent()};
        dialog->close();
    });
    ShowNotice(message);
    return shape;
}

std::string LongSentence()
{
    std::string text;
    while (text.size() < 600)
        text += "Die Tastatur schreibt in das Fenster davor. ";
    return text;
}

} // namespace

TEST(Notice, LongTextWrapsAtHalfTheScreenAndGrowsOneLinePerCr)
{
    const std::string text = LongSentence();
    TMyLabel probe(nullptr, text);
    probe.SetAutosize(true);
    const int naturalWidth = probe.width();
    const int lineHeight = QFontMetrics(probe.font()).height() + 3;
    const int half = HalfScreenWidth();
    ASSERT_GT(naturalWidth, half);

    const NoticeShape plain = ShowNoticeAndMeasure(text);
    EXPECT_EQ(plain.label.width(), half);
    EXPECT_LE(plain.text.widestLine, half + QFontMetrics(probe.font()).horizontalAdvance(QLatin1Char(' ')));
    EXPECT_GT(plain.text.height, 2 * QFontMetrics(probe.font()).height()); // really wrapped
    const int estimate = (naturalWidth / half + 1) * lineHeight;
    EXPECT_EQ(plain.label.height(), std::max(estimate, plain.text.height));

    // Broken into lines, the text is measured word by word, which may come out a little narrower.
    const std::string broken = text + "\r\nA\r\nB";
    probe.SetCaption(broken);
    const int brokenEstimate = (probe.width() / half + 1 + 2) * lineHeight;
    const NoticeShape withBreaks = ShowNoticeAndMeasure(broken);
    EXPECT_EQ(withBreaks.label.width(), half);
    EXPECT_EQ(withBreaks.label.height(), std::max(brokenEstimate, withBreaks.text.height));
    EXPECT_GT(withBreaks.label.height(), plain.label.height());
}

TEST(Notice, EveryWrappedLineFitsIntoTheLabel)
{
    for (const std::string& text : {LongSentence(), LongSentence() + "\r\n" + LongSentence()}) {
        const NoticeShape shape = ShowNoticeAndMeasure(text);
        EXPECT_GE(shape.label.height(), shape.text.height);
    }
}

namespace {

QImage StockIconImage(QStyle::StandardPixmap icon)
{
    return QApplication::style()->standardIcon(icon).pixmap(32, 32).toImage();
}

} // namespace

// Every kind of box the program shows, through the service the program installs.
TEST(InstalledMessages, ShowEachKindOfBox)
{
    MessageService* previous = InstallQtMessages();
    SoundRecorder recorder;
    struct Kind {
        std::uint8_t type;
        std::uint16_t buttons;
        QString title;
        QStyle::StandardPixmap icon;
        QStringList captions;
    };
    const Kind kinds[] = {
        {mtWarning, mbOK, QStringLiteral("Warnung"), QStyle::SP_MessageBoxWarning, {QStringLiteral("&Ok")}},
        {mtError,
         mbRetry | mbCancel,
         QStringLiteral("Fehler"),
         QStyle::SP_MessageBoxCritical,
         {QStringLiteral("&Wiederholen"), QStringLiteral("A&bbrechen")}},
        {mtInformation, mbOK, QStringLiteral("Information"), QStyle::SP_MessageBoxInformation, {QStringLiteral("&Ok")}},
        {mtConfirmation,
         mbYes | mbNo | mbCancel,
         QString::fromUtf8("Best\u00e4tigen"),
         QStyle::SP_MessageBoxQuestion,
         {QStringLiteral("&Ja"), QStringLiteral("&Nein"), QStringLiteral("A&bbrechen")}},
        {mtCustom,
         mbAll | mbIgnore,
         QStringLiteral("Information"),
         QStyle::SP_MessageBoxInformation,
         {QStringLiteral("A&lle"), QStringLiteral("&Ignorieren")}},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.title.toStdString());
        QImage icon;
        ShownDialog shown;
        WhenModalShown([&](QWidget* dialog) {
            shown = Inspect(dialog);
            icon = dialog->findChild<QLabel*>(QStringLiteral("Image"))->pixmap().toImage();
            dialog->close();
        });
        EXPECT_EQ(MyMessageDlg("Eine Meldung", kind.type, kind.buttons), mrCancel);
        EXPECT_EQ(shown.title, kind.title);
        EXPECT_EQ(shown.message, QStringLiteral("Eine Meldung"));
        EXPECT_EQ(icon, StockIconImage(kind.icon));
        QStringList captions;
        for (const ShownButton& button : shown.buttons) {
            captions << button.caption;
            EXPECT_TRUE(button.hasGlyph || button.result == mrAll || button.result == mrIgnore);
        }
        EXPECT_EQ(captions, kind.captions);
    }
    EXPECT_EQ(recorder.sounds, (std::vector<DialogSound>{DialogSound::Exclamation, DialogSound::Stop,
                                                         DialogSound::Information, DialogSound::Question}));

    ProgInfo.Title = "Tapsody 1.7";
    QString noticeTitle;
    QString noticeText;
    WhenModalShown([&](QWidget* dialog) {
        noticeTitle = dialog->windowTitle();
        noticeText = dialog->findChild<TMyLabel*>()->CaptionText();
        dialog->findChild<TOkbutton*>()->click();
    });
    MyShowMessage("Gespeichert");
    EXPECT_EQ(noticeTitle, QStringLiteral("Tapsody 1.7"));
    EXPECT_EQ(noticeText, QStringLiteral("Gespeichert"));

    QString plainText;
    WhenModalShown([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        plainText = box->text();
        box->accept();
    });
    ShowPlainMessage("Sprachedatei ungerade:|1");
    EXPECT_EQ(plainText, QStringLiteral("Sprachedatei ungerade:|1")); // never translated

    SetMessageService(previous);
}
