#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where everything goes in the program's message box and in its notice box. The
// windows only build what these functions decide, so the rules can be checked
// without a screen. All coordinates are in the dialog's client area.

enum class DialogIcon : std::uint8_t { Warning, Error, Information, Question };
enum class DialogSound : std::uint8_t { None, Exclamation, Stop, Information, Question };
enum class ButtonGlyph : std::uint8_t { None, CheckMark, Cross, ReturnArrow };

struct DialogButton {
    std::string caption;      // German, with its accelerator "&"; translated when shown
    std::uint16_t result = 0; // the dialog's result when the button is pressed
    ButtonGlyph glyph = ButtonGlyph::None;
    bool cancel = false; // Escape presses the first such button
    int left = 0;
    int top = 0;
    int width = 90;
};

struct MessageDialogLayout {
    std::string caption; // German; translated when shown
    DialogIcon icon = DialogIcon::Information;
    DialogSound sound = DialogSound::None;
    int width = 0;
    int height = 0;
    int imageLeft = 16, imageTop = 10;
    int labelLeft = 60, labelTop = 16;
    std::vector<DialogButton> buttons; // left to right
};

// The message box for a dialog type, a set of button flags (mbYes, ...) and the
// size the message label takes. Every flag below 0x100 gives its button, even
// when there are more than six: the window grows wider rather than drop one.
MessageDialogLayout LayOutMessageDialog(std::uint8_t dialogType, std::uint16_t buttonFlags, int labelWidth,
                                        int labelHeight);

struct NoticeLayout {
    bool labelAutosize = true;
    int labelLeft = 8, labelTop = 8;
    int labelWidth = 0, labelHeight = 0;
    int buttonLeft = 0, buttonTop = 0;
    int clientWidth = 0, clientHeight = 0;
};

struct NoticeMeasures {
    int labelWidth = 0; // the label sized to its unwrapped text
    int labelHeight = 0;
    int lineHeight = 0;      // text height in the label's font + 3
    int carriageReturns = 0; // CR characters in the message
    int halfScreenWidth = 0;
    int wrappedTextHeight = 0; // height the text needs when wrapped to half the screen
    int buttonWidth = 0, buttonHeight = 0;
};

// The notice box. A text wider than half the screen wraps to half the screen and
// gets one line per CR plus the lines its width asks for; when the wrapped text
// needs more than that, it gets what it needs, so no line is cut off.
NoticeLayout LayOutNotice(const NoticeMeasures& measures);
