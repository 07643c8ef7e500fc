#include "support/message_dialog_layout.h"

#include "support/messages.h"

#include <algorithm>
#include <array>

namespace {

struct TypeLook {
    const char* caption;
    DialogIcon icon;
    DialogSound sound;
};

// Dialog types 0 to 3; every higher type is a custom box.
constexpr std::array<TypeLook, 4> kTypeLooks{{
    {"Warnung", DialogIcon::Warning, DialogSound::Exclamation},
    {"Fehler", DialogIcon::Error, DialogSound::Stop},
    {"Information", DialogIcon::Information, DialogSound::Information},
    {"Best\xE4tigen", DialogIcon::Question, DialogSound::Question}, // Bestätigen
}};
constexpr TypeLook kCustomLook{"Information", DialogIcon::Information, DialogSound::None};

struct ButtonKind {
    std::uint16_t flag;
    const char* caption;
    std::uint16_t result;
    ButtonGlyph glyph;
    bool cancel;
};

// In the order the buttons stand from left to right.
constexpr std::array<ButtonKind, 8> kButtonKinds{{
    {mbYes, "&Ja", mrYes, ButtonGlyph::CheckMark, false},
    {mbOK, "&Ok", mrOk, ButtonGlyph::CheckMark, false},
    {mbNo, "&Nein", mrNo, ButtonGlyph::Cross, true},
    {mbAll, "A&lle", mrAll, ButtonGlyph::None, false},
    {mbIgnore, "&Ignorieren", mrIgnore, ButtonGlyph::None, false},
    {mbRetry, "&Wiederholen", mrRetry, ButtonGlyph::ReturnArrow, false},
    {mbAbort, "&Abbrechen", mrAbort, ButtonGlyph::Cross, true},
    {mbCancel, "A&bbrechen", mrCancel, ButtonGlyph::Cross, true},
}};

constexpr int kButtonPitch = 100;

} // namespace

MessageDialogLayout LayOutMessageDialog(std::uint8_t dialogType, std::uint16_t buttonFlags, int labelWidth,
                                        int labelHeight)
{
    const TypeLook& look = dialogType < kTypeLooks.size() ? kTypeLooks[dialogType] : kCustomLook;
    MessageDialogLayout layout;
    layout.caption = look.caption;
    layout.icon = look.icon;
    layout.sound = look.sound;
    layout.height = layout.labelTop + labelHeight + 80;

    for (const ButtonKind& kind : kButtonKinds)
        if (buttonFlags & kind.flag)
            layout.buttons.push_back({kind.caption, kind.result, kind.glyph, kind.cancel});

    const int count = static_cast<int>(layout.buttons.size());
    layout.width = std::max(count * kButtonPitch + 60, labelWidth + 80);
    const int firstLeft = (layout.width - count * kButtonPitch) / 2;
    for (int i = 0; i < count; ++i) {
        DialogButton& button = layout.buttons[static_cast<std::size_t>(i)];
        button.left = firstLeft + i * kButtonPitch;
        button.top = layout.height - 60;
        button.width = 90;
    }
    return layout;
}

NoticeLayout LayOutNotice(const NoticeMeasures& measures)
{
    NoticeLayout layout;
    layout.labelWidth = measures.labelWidth;
    layout.labelHeight = measures.labelHeight;

    const int half = measures.halfScreenWidth;
    if (half > 0 && half < measures.labelWidth) {
        layout.labelAutosize = false;
        const int widthLines = measures.labelWidth / half + 1; // trunc(width / half + 1)
        const int estimate = (measures.carriageReturns + widthLines) * measures.lineHeight;
        layout.labelHeight = std::max(estimate, measures.wrappedTextHeight);
        layout.labelWidth = half;
    }

    layout.clientWidth = std::max(layout.labelWidth + 16, measures.buttonWidth + 16);
    layout.buttonLeft = (layout.clientWidth - measures.buttonWidth) / 2;
    layout.buttonTop = layout.labelTop + layout.labelHeight + 12;
    layout.clientHeight = layout.buttonTop + measures.buttonHeight + 4;
    return layout;
}
