// The markup layout: any text lays out without fault, measuring gives the
// extent that drawing covers, draws nothing, and leaves the same font behind.

#include "fuzz_support.h"

#include "services/markup.h"

#include <cstdlib>
#include <tuple>

namespace {

// Measures each byte as half the font height wide (bold a pixel more), and counts what is drawn.
class CountingCanvas final : public MarkupCanvas {
public:
    int TextWidth(const std::string& text) override
    {
        return static_cast<int>(text.size()) * (std::abs(font.height) / 2 + (font.bold ? 2 : 1));
    }
    int TextHeight(const std::string&) override { return std::abs(font.height) + 2; }
    void DrawTextAt(int, int, const std::string&) override { ++drawn; }
    void Rectangle(int, int, int, int) override { ++drawn; }

    int drawn = 0;
};

auto FontState(const MarkupFont& f)
{
    return std::tie(f.name, f.height, f.color, f.bold, f.italic, f.underline, f.strikeOut);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(AsText(data, size));
    CountingCanvas measuring;
    CountingCanvas drawing;
    SetMainMarkupCanvas(&measuring);

    const int measured = MarkupTextWidth(&measuring, text);
    int drawn = 0;
    DrawMarkup(&drawing, 3, 5, text, drawn);
    FUZZ_CHECK(measuring.drawn == 0);
    FUZZ_CHECK(measured == drawn);
    FUZZ_CHECK(measured >= 10);
    FUZZ_CHECK(FontState(measuring.font) == FontState(drawing.font));
    FUZZ_CHECK(MarkupTextHeight(&drawing, text) > 0);
    SetMainMarkupCanvas(nullptr);
    return 0;
}
