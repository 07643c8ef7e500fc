#include "support/button_glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kGreen(0, 128, 0);
const QColor kRed(192, 0, 0);

QPixmap Blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPen ThickPen(const QColor& colour)
{
    return QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPixmap CheckMark()
{
    QPixmap pixmap = Blank(18, 18);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ThickPen(kGreen));
    const QPointF stroke[] = {{3.5, 9.5}, {7.5, 13.5}, {14.5, 4.5}};
    painter.drawPolyline(stroke, 3);
    return pixmap;
}

QPixmap Cross()
{
    QPixmap pixmap = Blank(15, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ThickPen(kRed));
    painter.drawLine(QPointF(3.5, 3.5), QPointF(11.5, 12.5));
    painter.drawLine(QPointF(11.5, 3.5), QPointF(3.5, 12.5));
    return pixmap;
}

// A line coming down on the right and turning left into an arrow head.
QPixmap ReturnArrow()
{
    QPixmap pixmap = Blank(16, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ThickPen(kGreen));
    const QPointF shaft[] = {{12.5, 2.5}, {12.5, 9.5}, {6.5, 9.5}};
    painter.drawPolyline(shaft, 3);
    QPainterPath head;
    head.moveTo(1.5, 9.5);
    head.lineTo(7.5, 4.5);
    head.lineTo(7.5, 14.5);
    head.closeSubpath();
    painter.fillPath(head, kGreen);
    return pixmap;
}

} // namespace

QPixmap ButtonGlyphPixmap(ButtonGlyph glyph)
{
    switch (glyph) {
    case ButtonGlyph::CheckMark: return CheckMark();
    case ButtonGlyph::Cross: return Cross();
    case ButtonGlyph::ReturnArrow: return ReturnArrow();
    case ButtonGlyph::None: break;
    }
    return {};
}
