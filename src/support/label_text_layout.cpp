#include "support/label_text_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kFreshLineHeight = 8;

// The pen of one layout pass: where the next piece goes and what the lines took.
class LineWriter {
public:
    LineWriter(LabelPieceRenderer& pieces, const LabelTextOptions& layoutOptions, int startX, int startY, bool draw)
        : renderer(pieces), options(layoutOptions), x0(startX), x(startX), y(startY), drawing(draw)
    {
    }

    void Space()
    {
        x += renderer.Piece(x, y, " ", false);
        widest = std::max(widest, x - x0);
    }

    // Draws a piece; without autosize a piece that would run past the label's
    // width (measured without its trailing space) starts a new line first. A
    // line that holds nothing yet takes the piece however wide it is.
    void Write(const std::string& piece)
    {
        if (!options.autosize && x > x0) {
            std::string bare = piece;
            if (!bare.empty() && bare.back() == ' ')
                bare.pop_back();
            if (x - x0 + renderer.Piece(x, y, bare, false) > options.width)
                NewLine();
        }
        const int width = renderer.Piece(x, y, piece, drawing);
        lineHeight = std::max(lineHeight, renderer.PieceHeight(piece));
        x += width;
        widest = std::max(widest, x - x0);
    }

    void NewLine()
    {
        y += lineHeight;
        x = x0;
        lineHeight = kFreshLineHeight;
    }

    LabelTextExtent Extent() const { return {widest, y + lineHeight}; }

private:
    LabelPieceRenderer& renderer;
    const LabelTextOptions& options;
    int x0;
    int x;
    int y;
    bool drawing;
    int lineHeight = kFreshLineHeight;
    int widest = 0;
};

} // namespace

LabelTextExtent LayOutLabelText(LabelPieceRenderer& renderer, const std::string& caption,
                                const LabelTextOptions& options, int x0, int y0, bool drawing)
{
    if (options.autosize && caption.find('\r') == std::string::npos) {
        const int width = renderer.Piece(x0, y0, caption, drawing);
        return {width, renderer.PieceHeight(caption) + y0};
    }

    LineWriter writer(renderer, options, x0, y0, drawing);
    std::size_t pos = 0;
    while (pos < caption.size()) {
        if (caption[pos] == ' ') {
            writer.Space();
            ++pos;
            continue;
        }
        const std::size_t space = caption.find(' ', pos);
        const std::size_t cr = caption.find('\r', pos);
        if (space != std::string::npos && space < cr) {
            writer.Write(caption.substr(pos, space + 1 - pos)); // the word with its space
            pos = space + 1;
        } else if (cr != std::string::npos) {
            writer.Write(caption.substr(pos, cr - pos));
            pos = cr + 1;
            if (pos < caption.size() && caption[pos] == '\n')
                ++pos;
            writer.NewLine();
        } else {
            writer.Write(caption.substr(pos));
            pos = caption.size();
        }
    }
    return writer.Extent();
}

LabelSize AutosizeFor(const LabelTextExtent& extent)
{
    return {std::max(extent.widestLine, 20) + 2, std::max(10, extent.height + 2)};
}

MarkRect LinkMarkRect(int fontPixelHeight, int widestLine)
{
    const int h = static_cast<int>(std::lround(std::abs(fontPixelHeight) * 0.2));
    const int w = std::max(widestLine, 20);
    return {w + h / 2 - h, h, w + h / 2, 2 * h};
}
