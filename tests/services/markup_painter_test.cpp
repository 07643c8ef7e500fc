#include "services/markup_painter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QFont TestFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(14);
    return font;
}

// Pixels mostly of the given pure colour (text edges are blended with the background).
int CountPixels(const QImage& image, QRgb colour)
{
    const auto near = [](int a, int b) { return std::abs(a - b) < 90; };
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += near(qRed(pixel), qRed(colour)) && near(qGreen(pixel), qGreen(colour)) &&
                     near(qBlue(pixel), qBlue(colour));
        }
    }
    return count;
}

TEST(MarkupPainter, ConvertsColoursAndFonts)
{
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x008000), QColor(0, 128, 0));
    EXPECT_EQ(FromQColor(QColor(0, 0, 255)), 0xFF0000u);

    QFont font = TestFont();
    font.setBold(true);
    font.setUnderline(true);
    const MarkupFont converted = FromQFont(font, Qt::red);
    EXPECT_EQ(converted.name, "DejaVu Sans");
    EXPECT_EQ(converted.height, -14);
    EXPECT_EQ(converted.color, 0x0000FFu);
    EXPECT_TRUE(converted.bold && converted.underline && !converted.italic && !converted.strikeOut);
    const QFont back = ToQFont(converted);
    EXPECT_EQ(back.pixelSize(), 14);
    EXPECT_TRUE(back.bold() && back.underline());
}

TEST(MarkupPainter, MeasuresSymbolsWithAFaceThatHasThem)
{
    QImage image(200, 40, QImage::Format_RGB32);
    MarkupPainter canvas(nullptr, TestFont(), &image);
    const QFontMetrics metrics(TestFont(), &image);
    EXPECT_EQ(MarkupTextWidth(&canvas, "\xB0(alpha"), metrics.horizontalAdvance(QChar(0x03B1)) + 3);
    EXPECT_EQ(canvas.font.name, "DejaVu Sans");
    EXPECT_EQ(MarkupTextWidth(&canvas, "Hallo Welt hallo"), metrics.horizontalAdvance("Hallo Welt hallo"));
    EXPECT_EQ(MarkupTextHeight(&canvas, "x"), metrics.height());
}

TEST(MarkupPainter, DrawsColouredTextAndTheDotOnAClearBackground)
{
    QImage image(120, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        MarkupPainter canvas(&painter, TestFont());
        canvas.brushClear = true;
        int width = 0;
        DrawMarkup(&canvas, 0, 10, "\xB0(colrot \xB0.v \xB0(colblau W", width);
        EXPECT_GT(width, 10);
    }
    EXPECT_GT(CountPixels(image, qRgb(255, 0, 0)), 4);
    EXPECT_GT(CountPixels(image, qRgb(0, 0, 255)), 4);
    // The dot over the v: one pixel wide (font height 14), from row 11 to row 12,
    // centred over the v's width + 1.
    const int dotX = (QFontMetrics(TestFont(), &image).horizontalAdvance("v") + 1 - 1) / 2;
    EXPECT_EQ(image.pixel(dotX, 11), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(dotX, 12), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(dotX, 10), qRgb(255, 255, 255));
}

TEST(MarkupPainter, MeasuringOnlyLeavesThePictureAlone)
{
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    MarkupPainter canvas(&painter, TestFont());
    int width = -1;
    DrawMarkup(&canvas, 0, 0, "\xB0(colfett Wort", width);
    painter.end();
    EXPECT_TRUE(canvas.font.bold);
    EXPECT_EQ(CountPixels(image, qRgb(255, 255, 255)), 60 * 30);
}

TEST(MarkupPainter, AWindowCanServeAsTheMainCanvas)
{
    QWidget window;
    window.setFont(TestFont());
    UseAsMainMarkupCanvas(&window);
    ASSERT_NE(MainMarkupCanvas(), nullptr);
    EXPECT_EQ(MarkupTextWidth(nullptr, "Hallo Welt hallo"),
              QFontMetrics(TestFont()).horizontalAdvance("Hallo Welt hallo"));
    EXPECT_EQ(MainMarkupCanvas()->font.height, -14);
    UseAsMainMarkupCanvas(nullptr);
    EXPECT_EQ(MainMarkupCanvas(), nullptr);
}

} // namespace
