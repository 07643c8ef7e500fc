#pragma once

#include <string>

// How the program's label lays out its caption: words separated by spaces,
// lines ended by CR (with an optional LF), each piece drawn with the formatted
// text markup. The pieces are handed to a renderer, which draws or only measures
// them; the font state a piece leaves behind carries into the next one.

class LabelPieceRenderer {
public:
    virtual ~LabelPieceRenderer() = default;
    // Lays the piece out at (x, y), drawing it unless only measuring; returns its width.
    virtual int Piece(int x, int y, const std::string& text, bool drawing) = 0;
    // The line height the piece needs.
    virtual int PieceHeight(const std::string& text) = 0;
};

struct LabelTextExtent {
    int widestLine = 0; // the largest distance from the start offset reached on a line
    int height = 0;     // the final y plus the last line's height
};

struct LabelTextOptions {
    bool autosize = false; // no wrapping; a caption without CR goes in one piece
    int width = 0;         // the label's width, where lines wrap without autosize
};

// Lays out (and draws, when drawing) the caption starting at (x0, y0).
LabelTextExtent LayOutLabelText(LabelPieceRenderer& renderer, const std::string& caption,
                                const LabelTextOptions& options, int x0, int y0, bool drawing);

struct LabelSize {
    int width = 0;
    int height = 0;
};

// The size an auto-sizing label takes for the extent of its text drawn at (0, 0).
LabelSize AutosizeFor(const LabelTextExtent& extent);

struct MarkRect {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive
};

// The small square that marks a clickable label, beside its widest line.
MarkRect LinkMarkRect(int fontPixelHeight, int widestLine);
