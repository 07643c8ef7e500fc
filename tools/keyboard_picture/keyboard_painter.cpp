#include "keyboard_painter.h"

#include "key_caps.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor Grey(int level)
{
    return QColor(level, level, level);
}

const QColor kFrame = Grey(52);
const QColor kLabel = Grey(28);
const QColor kSecondLabel = Grey(96);

struct CapShades {
    QColor rim;
    QColor skirt;
    QColor faceTop;
    QColor faceBottom;
};
const CapShades kCharacterCap{Grey(84), Grey(160), Grey(252), Grey(232)};
const CapShades kFunctionCap{Grey(78), Grey(136), Grey(222), Grey(200)};

// The face sits inside the skirt, higher at the front like a real cap.
QRectF FaceOf(const QRectF& cap)
{
    return cap.adjusted(3, 2, -3, -5);
}

QFont LabelFont(qreal pixelSize, const char* family = "DejaVu Sans")
{
    QFont font(family);
    font.setPixelSize(qRound(pixelSize));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The largest narrow font from pixelSize down at which every line fits the width.
QFont FittingFont(qreal pixelSize, const QStringList& lines, qreal width)
{
    QFont font;
    for (; pixelSize > 6; --pixelSize) {
        font = LabelFont(pixelSize, "DejaVu Sans Condensed");
        const QFontMetricsF metrics(font);
        bool fits = true;
        for (const QString& line : lines) {
            fits = fits && metrics.horizontalAdvance(line) <= width;
        }
        if (fits) {
            break;
        }
    }
    return font;
}

void DrawText(QPainter& painter, const QRectF& box, int flags, const QFont& font, const QColor& colour,
              const QString& text)
{
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

void DrawCapBody(QPainter& painter, const QRectF& cap, const CapShades& shades)
{
    // A dark rim keeps caps apart where rows touch.
    painter.setPen(QPen(shades.rim, 1));
    painter.setBrush(shades.skirt);
    painter.drawRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(Qt::NoPen);
    const QRectF face = FaceOf(cap);
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, shades.faceTop);
    gradient.setColorAt(1, shades.faceBottom);
    painter.setBrush(gradient);
    painter.drawRoundedRect(face, 3, 3);
}

void DrawSystemSymbol(QPainter& painter, const QRectF& face)
{
    const qreal pane = 5;
    const QPointF origin = face.center() - QPointF(pane + 0.5, pane + 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLabel);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            painter.drawRect(QRectF(origin + QPointF(column * (pane + 1), row * (pane + 1)), QSizeF(pane, pane)));
        }
    }
}

void DrawMenuSymbol(QPainter& painter, const QRectF& face)
{
    const QRectF sheet(face.center() - QPointF(5, 7), QSizeF(10, 13));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kLabel, 1));
    painter.drawRect(sheet.adjusted(0.5, 0.5, -0.5, -0.5));
    for (int line = 0; line < 3; ++line) {
        const qreal y = sheet.top() + 3.5 + line * 3;
        painter.drawLine(QPointF(sheet.left() + 2.5, y), QPointF(sheet.right() - 2.5, y));
    }
}

void DrawLabel(QPainter& painter, const QRectF& face, const KeyCap& cap)
{
    const QRectF inner = face.adjusted(2, 1, -2, -1);
    switch (cap.kind) {
    case KeyCap::Kind::Blank: break;
    case KeyCap::Kind::Letter: DrawText(painter, face, Qt::AlignCenter, LabelFont(15), kLabel, cap.main); break;
    case KeyCap::Kind::Pair: {
        const QFont font = LabelFont(12);
        DrawText(painter, inner, Qt::AlignLeft | Qt::AlignTop, font, kLabel, cap.secondary);
        DrawText(painter, inner, Qt::AlignLeft | Qt::AlignBottom, font, kLabel, cap.main);
        break;
    }
    case KeyCap::Kind::Word:
        if (cap.secondary.isEmpty()) {
            const qreal start = cap.main.size() == 1 ? 16 : 11;
            DrawText(painter, face, Qt::AlignCenter, FittingFont(start, {cap.main}, inner.width()), kLabel, cap.main);
        } else {
            const QFont font = FittingFont(10, {cap.main, cap.secondary}, inner.width());
            DrawText(painter, inner, Qt::AlignHCenter | Qt::AlignTop, font, kLabel, cap.main);
            DrawText(painter, inner, Qt::AlignHCenter | Qt::AlignBottom, font, kLabel, cap.secondary);
        }
        break;
    case KeyCap::Kind::NumberPad: {
        DrawText(painter, inner, Qt::AlignHCenter | Qt::AlignTop, LabelFont(14), kLabel, cap.main);
        const QFont small = FittingFont(9, {cap.secondary}, inner.width());
        DrawText(painter, inner, Qt::AlignHCenter | Qt::AlignBottom, small, kSecondLabel, cap.secondary);
        break;
    }
    case KeyCap::Kind::SystemKey: DrawSystemSymbol(painter, face); break;
    case KeyCap::Kind::MenuKey: DrawMenuSymbol(painter, face); break;
    }
}

// The pixels a key covers: both ends of its rectangle belong to it.
QRectF CapArea(const TKeyRecord& key)
{
    return QRectF(key.p0x, key.p0y, key.p1x + 1, key.p1y + 1);
}

bool HiddenByEarlierKey(const KeyTable& table, int index)
{
    const QRectF area = CapArea(table.Key(index));
    for (int earlier = 0; earlier < index; ++earlier) {
        if (table.Key(earlier).Enabled && CapArea(table.Key(earlier)).intersects(area)) {
            return true;
        }
    }
    return false;
}

} // namespace

QImage PaintKeyboard(const KeyTable& table, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kFrame);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int i = 0; i < table.Count(); ++i) {
        const TKeyRecord& key = table.Key(i);
        if (!key.Enabled || key.Typ != kKeyRectangle || HiddenByEarlierKey(table, i)) {
            continue;
        }
        const KeyCap cap = CapForKey(table.Name(i));
        const QRectF area = CapArea(key);
        DrawCapBody(painter, area, cap.function ? kFunctionCap : kCharacterCap);
        DrawLabel(painter, FaceOf(area), cap);
    }
    return image;
}
