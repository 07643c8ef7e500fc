#include "support/message_dialog_layout.h"
#include "support/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Captions(const MessageDialogLayout& layout)
{
    std::vector<std::string> captions;
    for (const DialogButton& button : layout.buttons)
        captions.push_back(button.caption);
    return captions;
}

} // namespace

TEST(MessageDialogLayout, YesAndNoStandCentredHundredPixelsApart)
{
    const MessageDialogLayout layout = LayOutMessageDialog(mtConfirmation, mbYes | mbNo, 120, 13);

    EXPECT_EQ(layout.width, 260); // 2 x 100 + 60 beats 120 + 80
    EXPECT_EQ(layout.height, 16 + 13 + 80);
    ASSERT_EQ(Captions(layout), (std::vector<std::string>{"&Ja", "&Nein"}));
    EXPECT_EQ(layout.buttons[0].left, 30);
    EXPECT_EQ(layout.buttons[1].left, 130);
    for (const DialogButton& button : layout.buttons) {
        EXPECT_EQ(button.top, layout.height - 60);
        EXPECT_EQ(button.width, 90);
    }
    EXPECT_EQ(layout.buttons[0].result, mrYes);
    EXPECT_FALSE(layout.buttons[0].cancel);
    EXPECT_EQ(layout.buttons[1].result, mrNo);
    EXPECT_TRUE(layout.buttons[1].cancel);
}

TEST(MessageDialogLayout, EveryButtonInItsPlaceWithCaptionResultGlyphAndEscape)
{
    const MessageDialogLayout layout = LayOutMessageDialog(mtWarning, 0xFF, 10, 13);

    ASSERT_EQ(Captions(layout), (std::vector<std::string>{"&Ja", "&Ok", "&Nein", "A&lle", "&Ignorieren", "&Wiederholen",
                                                          "&Abbrechen", "A&bbrechen"}));
    const std::vector<std::uint16_t> results{mrYes, mrOk, mrNo, mrAll, mrIgnore, mrRetry, mrAbort, mrCancel};
    const std::vector<ButtonGlyph> glyphs{ButtonGlyph::CheckMark, ButtonGlyph::CheckMark, ButtonGlyph::Cross,
                                          ButtonGlyph::None,      ButtonGlyph::None,      ButtonGlyph::ReturnArrow,
                                          ButtonGlyph::Cross,     ButtonGlyph::Cross};
    const std::vector<bool> cancels{false, false, true, false, false, false, true, true};
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        SCOPED_TRACE(layout.buttons[i].caption);
        EXPECT_EQ(layout.buttons[i].result, results[i]);
        EXPECT_EQ(layout.buttons[i].glyph, glyphs[i]);
        EXPECT_EQ(layout.buttons[i].cancel, cancels[i]);
        EXPECT_EQ(layout.buttons[i].left, 30 + static_cast<int>(i) * 100);
    }
    // More than six buttons all get their place; the window grows for them.
    EXPECT_EQ(layout.width, 8 * 100 + 60);
}

TEST(MessageDialogLayout, FlagsFromHexHundredUpGiveNoButton)
{
    EXPECT_TRUE(LayOutMessageDialog(mtError, 0xFF00, 10, 13).buttons.empty());
    const MessageDialogLayout okOnly = LayOutMessageDialog(mtError, 0x0100 | mbOK, 10, 13);
    ASSERT_EQ(Captions(okOnly), (std::vector<std::string>{"&Ok"}));
    EXPECT_EQ(okOnly.width, 160);
    EXPECT_EQ(okOnly.buttons[0].left, 30);
}

TEST(MessageDialogLayout, LongMessageWidensTheWindowAndKeepsTheButtonsCentred)
{
    const MessageDialogLayout layout = LayOutMessageDialog(mtInformation, mbYes | mbNo, 501, 26);

    EXPECT_EQ(layout.width, 581);
    EXPECT_EQ(layout.height, 122);
    EXPECT_EQ(layout.buttons[0].left, 190); // (581 - 200) div 2
    EXPECT_EQ(layout.buttons[1].left, 290);
    EXPECT_EQ(layout.buttons[0].top, 62);
}

TEST(MessageDialogLayout, TypeGivesCaptionIconAndSound)
{
    struct Expected {
        std::uint8_t type;
        const char* caption;
        DialogIcon icon;
        DialogSound sound;
    };
    const Expected table[] = {
        {mtWarning, "Warnung", DialogIcon::Warning, DialogSound::Exclamation},
        {mtError, "Fehler", DialogIcon::Error, DialogSound::Stop},
        {mtInformation, "Information", DialogIcon::Information, DialogSound::Information},
        {mtConfirmation, "Best\xE4tigen", DialogIcon::Question, DialogSound::Question},
        {mtCustom, "Information", DialogIcon::Information, DialogSound::None},
        {255, "Information", DialogIcon::Information, DialogSound::None},
    };
    for (const Expected& expected : table) {
        SCOPED_TRACE(int(expected.type));
        const MessageDialogLayout layout = LayOutMessageDialog(expected.type, mbOK, 10, 13);
        EXPECT_EQ(layout.caption, expected.caption);
        EXPECT_EQ(layout.icon, expected.icon);
        EXPECT_EQ(layout.sound, expected.sound);
        EXPECT_EQ(layout.imageLeft, 16);
        EXPECT_EQ(layout.imageTop, 10);
        EXPECT_EQ(layout.labelLeft, 60);
        EXPECT_EQ(layout.labelTop, 16);
    }
}

TEST(NoticeLayout, ShortTextKeepsItsSizeAndTheButtonSetsTheWidth)
{
    NoticeMeasures measures;
    measures.labelWidth = 40;
    measures.labelHeight = 15;
    measures.lineHeight = 16;
    measures.halfScreenWidth = 640;
    measures.buttonWidth = 75;
    measures.buttonHeight = 25;

    const NoticeLayout layout = LayOutNotice(measures);
    EXPECT_TRUE(layout.labelAutosize);
    EXPECT_EQ(layout.labelWidth, 40);
    EXPECT_EQ(layout.labelHeight, 15);
    EXPECT_EQ(layout.clientWidth, 91); // the button + 16 beats the label + 16
    EXPECT_EQ(layout.buttonLeft, 8);
    EXPECT_EQ(layout.buttonTop, 8 + 15 + 12);
    EXPECT_EQ(layout.clientHeight, 35 + 25 + 4);

    measures.labelWidth = 300;
    const NoticeLayout wide = LayOutNotice(measures);
    EXPECT_EQ(wide.clientWidth, 316);
    EXPECT_EQ(wide.buttonLeft, 120); // (316 - 75) div 2
}

TEST(NoticeLayout, TextWiderThanHalfTheScreenWrapsAndGrowsOneLinePerCr)
{
    NoticeMeasures measures;
    measures.labelWidth = 1000;
    measures.labelHeight = 15;
    measures.lineHeight = 18;
    measures.halfScreenWidth = 400;
    measures.buttonWidth = 75;
    measures.buttonHeight = 25;

    const NoticeLayout plain = LayOutNotice(measures);
    EXPECT_FALSE(plain.labelAutosize);
    EXPECT_EQ(plain.labelWidth, 400);
    EXPECT_EQ(plain.labelHeight, 3 * 18); // trunc(1000 / 400 + 1) lines
    EXPECT_EQ(plain.clientWidth, 416);
    EXPECT_EQ(plain.buttonLeft, 170);

    measures.carriageReturns = 2;
    EXPECT_EQ(LayOutNotice(measures).labelHeight, 5 * 18);

    // Exactly half the screen still fits.
    measures.labelWidth = 400;
    EXPECT_TRUE(LayOutNotice(measures).labelAutosize);
}

TEST(NoticeLayout, WrappedTextThatNeedsMoreLinesThanEstimatedIsNotCutOff)
{
    NoticeMeasures measures;
    measures.labelWidth = 790;
    measures.labelHeight = 15;
    measures.lineHeight = 18;
    measures.halfScreenWidth = 400;
    measures.wrappedTextHeight = 45; // three lines of 15, where the estimate allows two of 18
    measures.buttonWidth = 75;
    measures.buttonHeight = 25;

    EXPECT_EQ(LayOutNotice(measures).labelHeight, 45);
    measures.wrappedTextHeight = 30;
    EXPECT_EQ(LayOutNotice(measures).labelHeight, 36);
}
