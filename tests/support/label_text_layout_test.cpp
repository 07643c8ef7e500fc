#include "support/label_text_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Every character 6 pixels wide, every piece at least 10 (as the markup reports
// it); pieces with a "#" stand 20 high, others 13; an empty piece measures as "A".
class FakePieces final : public LabelPieceRenderer {
public:
    struct Drawn {
        int x;
        int y;
        std::string text;
        bool operator==(const Drawn&) const = default;
    };
    std::vector<Drawn> drawn;

    int Piece(int x, int y, const std::string& text, bool drawing) override
    {
        if (drawing)
            drawn.push_back({x, y, text});
        return std::max(10, static_cast<int>(text.size()) * 6);
    }
    int PieceHeight(const std::string& text) override { return text.find('#') != std::string::npos ? 20 : 13; }
};

using Drawn = FakePieces::Drawn;

LabelTextExtent Draw(FakePieces& pieces, const std::string& caption, bool autosize, int width, int x0 = 0, int y0 = 0)
{
    return LayOutLabelText(pieces, caption, {autosize, width}, x0, y0, true);
}

} // namespace

TEST(LabelTextLayout, AutosizeWithoutCrDrawsTheCaptionInOnePiece)
{
    FakePieces pieces;
    const LabelTextExtent extent = Draw(pieces, "Hallo Welt", true, 0, 0, 4);
    EXPECT_EQ(pieces.drawn, (std::vector<Drawn>{{0, 4, "Hallo Welt"}}));
    EXPECT_EQ(extent.widestLine, 60);
    EXPECT_EQ(extent.height, 13 + 4);
}

TEST(LabelTextLayout, WrapsAtWordsMeasuredWithoutTheirTrailingSpace)
{
    FakePieces pieces;
    // "bbb" ends at 42 and "ccc" at 66: both fit into 66, the space after "bbb" does not matter.
    LabelTextExtent extent = Draw(pieces, "aaa bbb ccc", false, 66);
    EXPECT_EQ(pieces.drawn, (std::vector<Drawn>{{0, 0, "aaa "}, {24, 0, "bbb "}, {48, 0, "ccc"}}));
    EXPECT_EQ(extent.widestLine, 66);
    EXPECT_EQ(extent.height, 13);

    pieces.drawn.clear();
    extent = Draw(pieces, "aaa bbb ccc", false, 65);
    EXPECT_EQ(pieces.drawn, (std::vector<Drawn>{{0, 0, "aaa "}, {24, 0, "bbb "}, {0, 13, "ccc"}}));
    EXPECT_EQ(extent.widestLine, 48);
    EXPECT_EQ(extent.height, 26);
}

TEST(LabelTextLayout, WordWiderThanTheLabelStandsAloneAndUnbroken)
{
    FakePieces pieces;
    const LabelTextExtent extent = Draw(pieces, "Breitestes ab", false, 30);
    EXPECT_EQ(pieces.drawn, (std::vector<Drawn>{{0, 0, "Breitestes "}, {0, 13, "ab"}}));
    EXPECT_EQ(extent.widestLine, 66);

    pieces.drawn.clear();
    Draw(pieces, "ab Breitestes cd", false, 30);
    EXPECT_EQ(pieces.drawn, (std::vector<Drawn>{{0, 0, "ab "}, {0, 13, "Breitestes "}, {0, 26, "cd"}}));
}

TEST(LabelTextLayout, CrLfEndsTheLineAndAnEmptyLineKeepsItsHeight)
{
    FakePieces pieces;
    const LabelTextExtent extent = Draw(pieces, "eins\r\n\r\nzwei\rdrei", true, 0);
    EXPECT_EQ(pieces.drawn, (std::vector<Drawn>{{0, 0, "eins"}, {0, 13, ""}, {0, 26, "zwei"}, {0, 39, "drei"}}));
    EXPECT_EQ(extent.widestLine, 24);
    EXPECT_EQ(extent.height, 52);
}

TEST(LabelTextLayout, LineHeightGrowsToTheTallestPieceAndRestartsAtEight)
{
    FakePieces pieces;
    const LabelTextExtent extent = Draw(pieces, "ab #c de\r\nfg\r\n", false, 500);
    EXPECT_EQ(pieces.drawn, (std::vector<Drawn>{{0, 0, "ab "}, {18, 0, "#c "}, {36, 0, "de"}, {0, 20, "fg"}}));
    EXPECT_EQ(extent.height, 20 + 13 + 8); // the last, empty line is 8 high
}

TEST(LabelTextLayout, LeadingSpacesOnlyMoveOnBySpaceWidth)
{
    FakePieces pieces;
    const LabelTextExtent extent = Draw(pieces, "  x", false, 500);
    EXPECT_EQ(pieces.drawn, (std::vector<Drawn>{{20, 0, "x"}})); // a space measures 10, as every piece
    EXPECT_EQ(extent.widestLine, 30);
}

TEST(LabelTextLayout, OffsetPassesShiftEverythingButTheWidestLine)
{
    FakePieces pieces;
    const LabelTextExtent extent = Draw(pieces, "aaa bbb\r\nccc", false, 30, 1, 1);
    EXPECT_EQ(pieces.drawn, (std::vector<Drawn>{{1, 1, "aaa "}, {1, 14, "bbb"}, {1, 27, "ccc"}}));
    EXPECT_EQ(extent.widestLine, 24);
    EXPECT_EQ(extent.height, 1 + 13 + 13 + 13);
}

TEST(LabelTextLayout, MeasuringDrawsNothing)
{
    FakePieces pieces;
    const LabelTextExtent extent = LayOutLabelText(pieces, "aaa bbb", {false, 30}, 0, 0, false);
    EXPECT_TRUE(pieces.drawn.empty());
    EXPECT_EQ(extent.height, 26);
}

TEST(LabelTextLayout, AutosizeAddsTwoAndKeepsAMinimum)
{
    EXPECT_EQ(AutosizeFor({60, 13}).width, 62);
    EXPECT_EQ(AutosizeFor({60, 13}).height, 15);
    EXPECT_EQ(AutosizeFor({5, 3}).width, 22);
    EXPECT_EQ(AutosizeFor({5, 3}).height, 10);
}

TEST(LabelTextLayout, LinkMarkSitsAtTheEndOfTheWidestLine)
{
    MarkRect mark = LinkMarkRect(-13, 50); // h = round(2.6) = 3
    EXPECT_EQ(mark.left, 48);
    EXPECT_EQ(mark.right, 51);
    EXPECT_EQ(mark.top, 3);
    EXPECT_EQ(mark.bottom, 6);

    mark = LinkMarkRect(11, 5); // h = round(2.2) = 2, the line counted as 20 wide
    EXPECT_EQ(mark.left, 19);
    EXPECT_EQ(mark.right, 21);
    EXPECT_EQ(mark.top, 2);
    EXPECT_EQ(mark.bottom, 4);
}
