#include "services/markup.h"

#include "services/date_rec.h"
#include "services/text_helpers.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace {

constexpr char DegreeSign = '\xB0';
constexpr std::string_view TokenKinds = "(^,.";
// Texts wider than this are measured again on the main canvas.
constexpr int LongTextWidth = 3000;

MarkupCanvas* mainCanvas = nullptr;
std::function<MarkupCanvas*()> mainCanvasMaker;

MarkupCanvas& CanvasOrMain(MarkupCanvas* canvas)
{
    if (canvas)
        return *canvas;
    if (MarkupCanvas* main = MainMarkupCanvas())
        return *main;
    throw std::logic_error("Formatted text needs a canvas, and no main canvas is installed");
}

struct Token {
    std::size_t at; // position of the degree sign
    char kind;
};

std::optional<Token> FirstToken(const std::string& text)
{
    for (auto at = text.find(DegreeSign); at != std::string::npos && at + 1 < text.size();
         at = text.find(DegreeSign, at + 1)) {
        if (TokenKinds.find(text[at + 1]) != std::string_view::npos)
            return Token{at, text[at + 1]};
    }
    return std::nullopt;
}

// Takes the word up to the first of the given stops; a space stop is consumed.
std::string TakeWord(std::string& rest, const char* stops)
{
    const auto end = rest.find_first_of(stops);
    std::string word = rest.substr(0, end);
    rest.erase(0, end == std::string::npos ? end : end + (rest[end] == ' ' ? 1 : 0));
    return word;
}

// Applies a "col" command (the text after "col") to the font.
void ApplyFontCommand(MarkupFont& font, const std::string& command)
{
    static const std::pair<const char*, bool MarkupFont::*> styles[] = {
        {"fett", &MarkupFont::bold},
        {"kursiv", &MarkupFont::italic},
        {"durch", &MarkupFont::strikeOut},
        {"_", &MarkupFont::underline},
    };
    static const std::pair<const char*, MarkupColor> colours[] = {
        {"rot", 0x0000FF},     {"red", 0x0000FF},     {"blau", 0xFF0000},
        {"gr\xFCn", 0x008000}, {"green", 0x008000},                          // grün
        {"gelb", 0x00FFFF},    {"wei\xDF", 0xFFFFFF}, {"schwarz", 0x000000}, // weiß
    };
    if (command == "-") {
        font.color = 0;
        font.bold = font.italic = font.underline = font.strikeOut = false;
        return;
    }
    for (const auto& [name, style] : styles) {
        if (command == name) {
            font.*style = true;
            return;
        }
        if (command == std::string("-") + name) {
            font.*style = false;
            return;
        }
    }
    for (const auto& [name, colour] : colours) {
        if (command == name) {
            font.color = colour;
            return;
        }
    }
    if (StartsWith(command, "fs"))
        return;
    font.color = ColorFromName(command);
}

// The Symbol font code a command names, if it names one.
std::optional<unsigned char> SymbolCode(const std::string& word)
{
    static const std::pair<const char*, unsigned char> symbols[] = {
        {">=", 179},      {"=>", 179},   {"=<", 163},    {"<=", 163},    {"->", 174},     {"<-", 172},
        {"*", 215},       {"~", 187},    {"<>", 185},    {"not", 185},   {"+-", 177},     {"quer", 198},
        {"sum", 83},      {"sqrt", 214}, {"copy", 211},  {"alpha", 97},  {"beta", 98},    {"delta", 68},
        {"epsilon", 101}, {"eta", 104},  {"gamma", 103}, {"kappa", 107}, {"lambda", 108}, {"n\xFCh", 110},
        {"ohm", 87},      {"phi", 106},  {"pi", 112},    {"roh", 114}, // nüh
        {"tau", 116},     {"teta", 74},  {"omega", 119}, {"zeta", 122},
    };
    for (const auto& [name, code] : symbols)
        if (word == name)
            return code;
    return std::nullopt;
}

// Walks the text from left to right, moving the current position and drawing
// when asked to.
class MarkupRun {
public:
    MarkupRun(MarkupCanvas& canvas, int x, int y, bool drawing)
        : canvas_(canvas), cx_(x), top_(y + 2), drawing_(drawing)
    {
    }

    int Position() const { return cx_; }

    void TextBeforeToken(const std::string& text)
    {
        Draw(cx_, top_, text);
        cx_ += canvas_.TextWidth(text) + 2;
    }

    void Command(const std::string& word)
    {
        if (StartsWith(word, "col")) {
            ApplyFontCommand(canvas_.font, word.substr(3));
        } else if (const auto code = SymbolCode(word)) {
            Symbol(std::string(1, static_cast<char>(*code)));
        } else {
            const std::string shown = word == "date" ? FormatDateRec(NowRec(), 6) : word;
            Draw(cx_ + 2, top_, shown);
            cx_ += canvas_.TextWidth(shown) + 3;
        }
    }

    // Superscripts and subscripts use two thirds of the font height.
    void Index(const std::string& word, bool super)
    {
        const int h = canvas_.font.height;
        canvas_.font.height = static_cast<int>(h / 3.0 * 2);
        if (super)
            Draw(cx_ + 1, top_ - std::abs(h) / 4, word);
        else
            Draw(cx_, top_ + std::abs(h) * 2 / 5, word);
        cx_ += canvas_.TextWidth(word) + 2;
        canvas_.font.height = h;
    }

    void DottedWord(const std::string& word)
    {
        const int w = canvas_.TextWidth(TrimStr(word)) + 1;
        const int d = std::max(1, static_cast<int>(std::abs(canvas_.font.height) * 0.1 + 0.3));
        if (drawing_) {
            canvas_.DrawTextAt(cx_, top_, word);
            canvas_.penColor = canvas_.brushColor = canvas_.font.color;
            canvas_.brushClear = false;
            canvas_.Rectangle(cx_ + (w - d) / 2, top_ - 1, cx_ + (w + d) / 2, top_ + d);
            canvas_.brushClear = true;
        }
        cx_ += w;
    }

    void Tail(const std::string& text)
    {
        Draw(cx_, top_, text);
        int width = canvas_.TextWidth(text);
        if (width > LongTextWidth && mainCanvas) {
            const int savedHeight = mainCanvas->font.height;
            mainCanvas->font.height = canvas_.font.height;
            width = mainCanvas->TextWidth(text);
            mainCanvas->font.height = savedHeight;
        }
        cx_ += width;
    }

private:
    void Draw(int x, int y, const std::string& text)
    {
        if (drawing_)
            canvas_.DrawTextAt(x, y, text);
    }

    void Symbol(const std::string& sign)
    {
        const std::string face = std::exchange(canvas_.font.name, SymbolFontName);
        Draw(cx_ + 2, top_, sign);
        cx_ += canvas_.TextWidth(sign) + 3;
        canvas_.font.name = face;
    }

    MarkupCanvas& canvas_;
    int cx_;
    int top_;
    bool drawing_;
};

} // namespace

MarkupCanvas* SetMainMarkupCanvas(MarkupCanvas* canvas)
{
    mainCanvasMaker = nullptr;
    return std::exchange(mainCanvas, canvas);
}

void SetMainMarkupCanvasMaker(std::function<MarkupCanvas*()> maker)
{
    mainCanvas = nullptr;
    mainCanvasMaker = std::move(maker);
}

MarkupCanvas* MainMarkupCanvas()
{
    if (!mainCanvas && mainCanvasMaker)
        mainCanvas = std::exchange(mainCanvasMaker, nullptr)();
    return mainCanvas;
}

void DrawMarkup(MarkupCanvas* canvas, int x, int y, const std::string& text, int& width)
{
    MarkupRun run(CanvasOrMain(canvas), x, y, width >= 0);
    std::string rest = text;
    while (const auto token = FirstToken(rest)) {
        if (token->at > 0)
            run.TextBeforeToken(rest.substr(0, token->at));
        rest.erase(0, token->at + 2);
        switch (token->kind) {
        case '(': run.Command(LowerStrDe(TakeWord(rest, " "))); break;
        case '^': run.Index(TakeWord(rest, " "), true); break;
        case ',': run.Index(TakeWord(rest, " "), false); break;
        default: run.DottedWord(TakeWord(rest, " \xB0")); break;
        }
    }
    if (!rest.empty())
        run.Tail(rest);
    width = std::max(10, run.Position() - x);
}

int MarkupTextWidth(MarkupCanvas* canvas, const std::string& text)
{
    int width = -1;
    DrawMarkup(canvas, 0, 0, text, width);
    return width;
}

int MarkupTextHeight(MarkupCanvas* canvas, const std::string& text)
{
    MarkupCanvas& target = CanvasOrMain(canvas);
    int height = target.TextHeight(text.empty() ? "A" : text);
    if (height < 4)
        height = 13;
    if (text.find("\xB0,") != std::string::npos)
        height += static_cast<int>(std::abs(target.font.height) * 0.2) + 1;
    if (text.find("\xB0.") != std::string::npos)
        height += 2;
    return height;
}
