#include "services/markup_painter.h"

#include "support/qt_text.h"

#include <QFontInfo>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// A face that has the Greek letters and mathematical signs of the Symbol font.
const char* const SignFace = "DejaVu Sans";

} // namespace

QColor ToQColor(MarkupColor color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

MarkupColor FromQColor(const QColor& color)
{
    return static_cast<MarkupColor>(color.red()) | static_cast<MarkupColor>(color.green()) << 8 |
           static_cast<MarkupColor>(color.blue()) << 16;
}

MarkupFont FromQFont(const QFont& font, const QColor& color)
{
    MarkupFont result;
    result.name = ToAnsi(font.family());
    result.height = -QFontInfo(font).pixelSize();
    result.color = FromQColor(color);
    result.bold = font.bold();
    result.italic = font.italic();
    result.underline = font.underline();
    result.strikeOut = font.strikeOut();
    return result;
}

QFont ToQFont(const MarkupFont& font)
{
    QFont result(font.name == SymbolFontName ? QString(SignFace) : FromAnsi(font.name));
    result.setPixelSize(std::max(1, std::abs(font.height)));
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    return result;
}

MarkupPainter::MarkupPainter(QPainter* painter, const QFont& startFont, QPaintDevice* measuringDevice)
    : painter_(painter), device_(painter ? painter->device() : measuringDevice)
{
    font = FromQFont(startFont, painter ? painter->pen().color() : QColor(Qt::black));
}

QFontMetrics MarkupPainter::Metrics() const
{
    return device_ ? QFontMetrics(ToQFont(font), device_) : QFontMetrics(ToQFont(font));
}

QString MarkupPainter::Displayed(const std::string& text) const
{
    if (font.name != SymbolFontName)
        return FromAnsi(text);
    QString signs;
    for (const char c : text) {
        const char32_t sign = SymbolToUnicode(static_cast<unsigned char>(c));
        signs += QString::fromUcs4(&sign, 1);
    }
    return signs;
}

int MarkupPainter::TextWidth(const std::string& text)
{
    return Metrics().horizontalAdvance(Displayed(text));
}

// The height of a line in the font, whatever the text.
int MarkupPainter::TextHeight(const std::string&)
{
    return Metrics().height();
}

void MarkupPainter::DrawTextAt(int x, int y, const std::string& text)
{
    if (!painter_)
        return;
    const QFontMetrics metrics = Metrics();
    const QString shown = Displayed(text);
    if (!brushClear)
        painter_->fillRect(x, y, metrics.horizontalAdvance(shown), metrics.height(), ToQColor(brushColor));
    painter_->setFont(ToQFont(font));
    painter_->setPen(ToQColor(font.color));
    painter_->drawText(x, y + metrics.ascent(), shown);
}

void MarkupPainter::Rectangle(int left, int top, int right, int bottom)
{
    if (!painter_ || right <= left || bottom <= top)
        return;
    const int width = right - left;
    const int height = bottom - top;
    if (!brushClear)
        painter_->fillRect(left, top, width, height, ToQColor(brushColor));
    // A one-pixel outline along the inside edges, exact to the pixel.
    const QColor pen = ToQColor(penColor);
    painter_->fillRect(left, top, width, 1, pen);
    painter_->fillRect(left, bottom - 1, width, 1, pen);
    painter_->fillRect(left, top, 1, height, pen);
    painter_->fillRect(right - 1, top, 1, height, pen);
}

void UseAsMainMarkupCanvas(const QWidget* window)
{
    static std::unique_ptr<MarkupPainter> mainCanvas;
    SetMainMarkupCanvas(nullptr);
    mainCanvas.reset();
    if (!window)
        return;
    // Made when a text is first measured: asking for the font's pixel size sets up
    // the fonts, which a window without text does not need. Measured on the screen,
    // so the canvas does not outlive a window it points to.
    SetMainMarkupCanvasMaker([font = window->font()] {
        mainCanvas = std::make_unique<MarkupPainter>(nullptr, font);
        return mainCanvas.get();
    });
}
