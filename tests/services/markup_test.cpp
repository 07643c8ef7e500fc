#include "services/markup.h"

#include "services/date_rec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Measures every byte as half the font's pixel height wide (one more in bold),
// Symbol signs as 9; a line is the pixel height + 2 high. Records what is drawn
// together with the font it is drawn in.
class FakeCanvas final : public MarkupCanvas {
public:
    FakeCanvas() { font.height = -12; }

    std::vector<std::string> drawn;
    std::string lastMeasured;
    int lineHeight = 0; // overrides TextHeight when set
    int widthBonus = 0; // added to every byte's width

    int TextWidth(const std::string& text) override
    {
        lastMeasured = text;
        if (font.name == SymbolFontName)
            return 9 * static_cast<int>(text.size());
        return (std::abs(font.height) / 2 + (font.bold ? 1 : 0) + widthBonus) * static_cast<int>(text.size());
    }
    int TextHeight(const std::string& text) override
    {
        lastMeasured = text;
        return lineHeight ? lineHeight : std::abs(font.height) + 2;
    }
    void DrawTextAt(int x, int y, const std::string& text) override
    {
        std::ostringstream out;
        out << x << ',' << y << " '" << text << "' " << Describe(font);
        drawn.push_back(out.str());
    }
    void Rectangle(int left, int top, int right, int bottom) override
    {
        std::ostringstream out;
        out << "rect " << left << ',' << top << '-' << right << ',' << bottom << " pen " << std::hex << penColor
            << " brush " << brushColor << (brushClear ? " clear" : " solid");
        drawn.push_back(out.str());
    }

    static std::string Describe(const MarkupFont& f)
    {
        std::ostringstream out;
        out << f.name << ' ' << f.height << " #" << std::hex << f.color;
        if (f.bold)
            out << " bold";
        if (f.italic)
            out << " italic";
        if (f.underline)
            out << " underline";
        if (f.strikeOut)
            out << " strike";
        return out.str();
    }
};

using Lines = std::vector<std::string>;
const std::string Face = "DejaVu Sans";

int Draw(FakeCanvas& canvas, const std::string& text, int x = 0, int y = 0)
{
    int width = 0;
    DrawMarkup(&canvas, x, y, text, width);
    return width;
}

TEST(Markup, PlainTextIsDrawnInOnePieceTwoPixelsLower)
{
    FakeCanvas canvas;
    EXPECT_EQ(Draw(canvas, "Hallo Welt", 5, 7), 60);
    EXPECT_EQ(canvas.drawn, Lines{"5,9 'Hallo Welt' " + Face + " -12 #0"});
    // Widths below 10 become 10; a lone or foreign degree sign is text.
    FakeCanvas small;
    EXPECT_EQ(Draw(small, "a"), 10);
    FakeCanvas degrees;
    EXPECT_EQ(Draw(degrees, "20\xB0"
                            "C \xB0"),
              36);
    EXPECT_EQ(degrees.drawn, Lines{"0,2 '20\xB0"
                                   "C \xB0' " +
                                   Face + " -12 #0"});
}

TEST(Markup, SuperscriptIsSmallerRaisedAndOnePixelRight)
{
    FakeCanvas canvas;
    EXPECT_EQ(Draw(canvas, "x\xB0^2"), 14);
    EXPECT_EQ(canvas.drawn, (Lines{"0,2 'x' " + Face + " -12 #0", "9,-1 '2' " + Face + " -8 #0"}));
    EXPECT_EQ(canvas.font.height, -12);
}

TEST(Markup, TextStartingWithASuperscriptKeepsItsWord)
{
    FakeCanvas canvas;
    EXPECT_EQ(Draw(canvas, "\xB0^2 y"), 12);
    EXPECT_EQ(canvas.drawn, (Lines{"1,-1 '2' " + Face + " -8 #0", "6,2 'y' " + Face + " -12 #0"}));
}

TEST(Markup, SubscriptIsLoweredByTwoFifthsOfTheFontHeight)
{
    FakeCanvas canvas;
    EXPECT_EQ(Draw(canvas, "H\xB0,2 O", 10, 0), 20);
    EXPECT_EQ(canvas.drawn,
              (Lines{"10,2 'H' " + Face + " -12 #0", "18,6 '2' " + Face + " -8 #0", "24,2 'O' " + Face + " -12 #0"}));
}

TEST(Markup, ColourCommandsChangeTheFontForWhatFollows)
{
    FakeCanvas canvas;
    canvas.font.bold = true;
    EXPECT_EQ(Draw(canvas, "\xB0(colrot Achtung \xB0(col- Text"), 82);
    EXPECT_EQ(canvas.drawn, (Lines{"0,2 'Achtung ' " + Face + " -12 #ff bold", "58,2 'Text' " + Face + " -12 #0"}));
}

TEST(Markup, StyleCommandsSwitchOnAndOff)
{
    FakeCanvas canvas;
    Draw(canvas, "\xB0(colfett Wort \xB0(col-fett weiter");
    EXPECT_EQ(canvas.drawn, (Lines{"0,2 'Wort ' " + Face + " -12 #0 bold", "37,2 'weiter' " + Face + " -12 #0"}));

    FakeCanvas styles;
    Draw(styles, "\xB0(COLKURSIV a\xB0(coldurch b\xB0(col_ c\xB0(col-kursiv d\xB0(col-durch e\xB0(col-_ f");
    EXPECT_EQ(styles.drawn, (Lines{"0,2 'a' " + Face + " -12 #0 italic", "8,2 'b' " + Face + " -12 #0 italic strike",
                                   "16,2 'c' " + Face + " -12 #0 italic underline strike",
                                   "24,2 'd' " + Face + " -12 #0 underline strike",
                                   "32,2 'e' " + Face + " -12 #0 underline", "40,2 'f' " + Face + " -12 #0"}));
}

TEST(Markup, ColourNames)
{
    const std::pair<std::string, MarkupColor> cases[] = {
        {"rot", 0x0000FF},  {"RED", 0x0000FF},     {"blau", 0xFF0000},   {"Gr\xDCn", 0x008000}, {"green", 0x008000},
        {"gelb", 0x00FFFF}, {"wei\xDF", 0xFFFFFF}, {"clNavy", 0x800000}, {"unbekannt", 0},
    };
    for (const auto& [name, colour] : cases) {
        FakeCanvas canvas;
        canvas.font.color = 0x123456;
        Draw(canvas, "\xB0(col" + name);
        EXPECT_EQ(canvas.font.color, colour) << name;
        EXPECT_TRUE(canvas.drawn.empty());
    }
    FakeCanvas unchanged;
    unchanged.font.color = 0x123456;
    Draw(unchanged, "\xB0(colfs12 \xB0(colschwarz");
    EXPECT_EQ(unchanged.font.color, 0u);
    Draw(unchanged, "\xB0(colrot \xB0(colfs12");
    EXPECT_EQ(unchanged.font.color, 0x0000FFu);
}

TEST(Markup, SymbolCommandsDrawOneSymbolFontCharacter)
{
    FakeCanvas canvas;
    EXPECT_EQ(Draw(canvas, "\xB0(alpha"), 12);
    EXPECT_EQ(canvas.drawn, Lines{"2,2 'a' Symbol -12 #0"});
    EXPECT_EQ(canvas.font.name, Face);

    FakeCanvas upper;
    EXPECT_EQ(Draw(upper, "\xB0(ALPHA x"), 18);
    EXPECT_EQ(upper.drawn, (Lines{"2,2 'a' Symbol -12 #0", "12,2 'x' " + Face + " -12 #0"}));
}

TEST(Markup, EverySymbolNameGivesItsCode)
{
    const std::pair<std::string, unsigned char> names[] = {
        {">=", 179},    {"=>", 179},     {"=<", 163},     {"<=", 163},   {"->", 174},      {"<-", 172},  {"*", 215},
        {"~", 187},     {"<>", 185},     {"not", 185},    {"+-", 177},   {"quer", 198},    {"sum", 83},  {"sqrt", 214},
        {"copy", 211},  {"alpha", 97},   {"beta", 98},    {"delta", 68}, {"epsilon", 101}, {"eta", 104}, {"gamma", 103},
        {"kappa", 107}, {"lambda", 108}, {"N\xDCH", 110}, {"ohm", 87},   {"phi", 106},     {"pi", 112},  {"roh", 114},
        {"tau", 116},   {"teta", 74},    {"omega", 119},  {"zeta", 122},
    };
    for (const auto& [name, code] : names) {
        FakeCanvas canvas;
        Draw(canvas, "\xB0(" + name);
        EXPECT_EQ(canvas.drawn, Lines{"2,2 '" + std::string(1, static_cast<char>(code)) + "' Symbol -12 #0"}) << name;
    }
}

TEST(Markup, SymbolCodesMapToTheSignsTheyStandFor)
{
    const std::pair<unsigned char, char32_t> signs[] = {
        {179, U'\u2265'}, {163, U'\u2264'},  {174, U'\u2192'},  {172, U'\u2190'},  {215, U'\u22C5'}, {187, U'\u2248'},
        {185, U'\u2260'}, {177, U'\u00B1'},  {198, U'\u2205'},  {83, U'\u03A3'},   {214, U'\u221A'}, {211, U'\u00A9'},
        {97, U'\u03B1'},  {98, U'\u03B2'},   {68, U'\u0394'},   {101, U'\u03B5'},  {104, U'\u03B7'}, {103, U'\u03B3'},
        {107, U'\u03BA'}, {108, U'\u03BB'},  {110, U'\u03BD'},  {87, U'\u03A9'},   {106, U'\u03D5'}, {112, U'\u03C0'},
        {114, U'\u03C1'}, {116, U'\u03C4'},  {74, U'\u03D1'},   {119, U'\u03C9'},  {122, U'\u03B6'}, {'0', U'0'},
        {'(', U'('},      {0x7E, U'\u223C'}, {0xA0, U'\u20AC'}, {0xFE, U'\u23AD'}, {0x7F, 0x7F},     {0x10, 0x10},
        {0xFF, 0xFF},
    };
    for (const auto& [code, sign] : signs)
        EXPECT_EQ(SymbolToUnicode(code), sign) << int(code);
}

TEST(Markup, OtherCommandWordsAreDrawnLowerCased)
{
    FakeCanvas canvas;
    EXPECT_EQ(Draw(canvas, "a \xB0(Hallo b"), 53);
    EXPECT_EQ(canvas.drawn, (Lines{"0,2 'a ' " + Face + " -12 #0", "16,2 'hallo' " + Face + " -12 #0",
                                   "47,2 'b' " + Face + " -12 #0"}));
}

TEST(Markup, DateCommandDrawsTodaysDate)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::string before = FormatDateRec(NowRec(), 6);
        FakeCanvas canvas;
        Draw(canvas, "\xB0(DATE");
        if (FormatDateRec(NowRec(), 6) != before)
            continue; // midnight passed while drawing
        ASSERT_EQ(before.size(), 10u);
        EXPECT_EQ(canvas.drawn, Lines{"2,2 '" + before + "' " + Face + " -12 #0"});
        return;
    }
    FAIL() << "the date kept changing";
}

TEST(Markup, DottedWordGetsASquareCentredAboveIt)
{
    FakeCanvas canvas;
    canvas.font.color = 0x00FF00;
    EXPECT_EQ(Draw(canvas, "\xB0.v\xB0(colrot x"), 13);
    EXPECT_EQ(canvas.drawn, (Lines{"0,2 'v' " + Face + " -12 #ff00", "rect 3,1-4,3 pen ff00 brush ff00 solid",
                                   "7,2 'x' " + Face + " -12 #ff"}));
    EXPECT_TRUE(canvas.brushClear);

    // A large font makes a larger dot; the untrimmed word is drawn, the trimmed one sized.
    FakeCanvas large;
    large.font.height = -40; // d = 4, w = 2 * 20 + 1
    EXPECT_EQ(Draw(large, "\xB0.ab cd"), 81);
    EXPECT_EQ(large.drawn, (Lines{"0,2 'ab' " + Face + " -40 #0", "rect 18,1-22,6 pen 0 brush 0 solid",
                                  "41,2 'cd' " + Face + " -40 #0"}));
}

TEST(Markup, MeasuringDrawsNothingButAppliesFontCommands)
{
    FakeCanvas canvas;
    int width = -1;
    DrawMarkup(&canvas, 3, 3, "\xB0(colfett \xB0(colblau fett \xB0.v x\xB0^2", width);
    EXPECT_TRUE(canvas.drawn.empty());
    EXPECT_FALSE(canvas.brushClear);
    EXPECT_TRUE(canvas.font.bold);
    EXPECT_EQ(canvas.font.color, 0xFF0000u);
    EXPECT_EQ(width, 37 + 8 + 7 + 2 + 5 + 2);
    EXPECT_EQ(MarkupTextWidth(&canvas, "x"), 10);
}

TEST(Markup, VeryLongTextsAreMeasuredAgainOnTheMainCanvas)
{
    FakeCanvas main;
    main.font.height = -4;
    main.widthBonus = 1; // three pixels a byte at its own height
    MarkupCanvas* previous = SetMainMarkupCanvas(&main);
    FakeCanvas canvas;
    const std::string longText(501, 'w'); // 3006 pixels on the canvas, 3507 on the main one
    EXPECT_EQ(MarkupTextWidth(&canvas, longText), 3507);
    EXPECT_EQ(MarkupTextWidth(&canvas, "\xB0(col- " + longText), 3507);
    canvas.font.height = -14;
    EXPECT_EQ(MarkupTextWidth(&canvas, longText), 4008);
    EXPECT_EQ(main.font.height, -4);
    canvas.font.height = -10; // 2505 pixels: kept
    EXPECT_EQ(MarkupTextWidth(&canvas, longText), 2505);

    // Without a canvas the main one is used.
    EXPECT_EQ(MarkupTextWidth(nullptr, "abcdefgh"), 24);
    SetMainMarkupCanvas(previous);
}

TEST(Markup, NoCanvasAtAllIsAnError)
{
    MarkupCanvas* previous = SetMainMarkupCanvas(nullptr);
    int width = 0;
    EXPECT_THROW(DrawMarkup(nullptr, 0, 0, "x", width), std::logic_error);
    EXPECT_THROW(MarkupTextHeight(nullptr, "x"), std::logic_error);
    SetMainMarkupCanvas(previous);
}

TEST(Markup, LineHeightAddsRoomForSubscriptsAndDots)
{
    FakeCanvas canvas;
    EXPECT_EQ(MarkupTextHeight(&canvas, "x"), 14);
    EXPECT_EQ(canvas.lastMeasured, "x");
    EXPECT_EQ(MarkupTextHeight(&canvas, ""), 14);
    EXPECT_EQ(canvas.lastMeasured, "A");
    EXPECT_EQ(MarkupTextHeight(&canvas, "H\xB0,2 O"), 14 + 3);
    EXPECT_EQ(MarkupTextHeight(&canvas, "\xB0.v"), 16);
    EXPECT_EQ(MarkupTextHeight(&canvas, "x\xB0^2 \xB0,3 \xB0.v"), 19);
    canvas.lineHeight = 3;
    EXPECT_EQ(MarkupTextHeight(&canvas, "x"), 13);
}

} // namespace
