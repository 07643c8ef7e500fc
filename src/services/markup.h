#pragma once

#include <cstdint>
#include <functional>
#include <string>

// One-line formatted text for labels. Tokens start with the degree sign (0xB0):
//   "\xB0(" word  command: "col..." changes the font, a symbol name draws a sign,
//                 "date" draws today's date, anything else draws the word
//   "\xB0^" word  superscript        "\xB0," word  subscript
//   "\xB0." word  word with a dot above it
// Words end at a space (consumed) or at the end of the text; a dotted word also
// ends before the next degree sign.

// Colour in the order 0x00BBGGRR.
using MarkupColor = std::uint32_t;

struct MarkupFont {
    std::string name = "DejaVu Sans";
    // Negative: character height in pixels; positive: cell height in pixels.
    int height = -11;
    MarkupColor color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// The face the symbol commands switch to; its character codes are those of the
// classic Symbol font (see SymbolToUnicode).
inline constexpr const char* SymbolFontName = "Symbol";

// A surface to measure and draw text on. The markup reads and changes the
// font, pen and brush, then measures and draws with them.
class MarkupCanvas {
public:
    virtual ~MarkupCanvas() = default;

    MarkupFont font;
    MarkupColor penColor = 0;
    MarkupColor brushColor = 0xFFFFFF;
    bool brushClear = false; // text and shapes leave the background as it is

    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // Draws text with its top left corner at (x, y); fills the text's box with
    // the brush first unless the brush is clear.
    virtual void DrawTextAt(int x, int y, const std::string& text) = 0;
    // Outlines with the pen and fills with the brush the pixels from (left, top)
    // to (right - 1, bottom - 1).
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
};

// The canvas used when a call passes none, normally measuring in the main
// window's font. Long texts (over 3000 pixels) are measured again on it.
// Returns the canvas it replaces.
MarkupCanvas* SetMainMarkupCanvas(MarkupCanvas* canvas);
// Installs in place of the main canvas a maker that makes it when it is first
// needed: setting a canvas up may cost time that a program's start need not spend.
void SetMainMarkupCanvasMaker(std::function<MarkupCanvas*()> maker);
MarkupCanvas* MainMarkupCanvas();

// Lays text out from (x, y) on one line. width is -1 on entry to measure only,
// 0 or more to draw; on return it holds the horizontal extent, at least 10.
// Font commands stay in effect on the canvas after the call, also when measuring.
// With canvas null the main canvas is used; throws std::logic_error when there
// is none either.
void DrawMarkup(MarkupCanvas* canvas, int x, int y, const std::string& text, int& width);

// DrawMarkup at (0, 0) measuring only; the width, at least 10.
int MarkupTextWidth(MarkupCanvas* canvas, const std::string& text);

// The line height the text needs, subscripts and dots included.
int MarkupTextHeight(MarkupCanvas* canvas, const std::string& text);

// The Unicode character of a Symbol font code (Greek letters, arrows,
// mathematical signs); codes without a sign map to themselves.
char32_t SymbolToUnicode(unsigned char code);
