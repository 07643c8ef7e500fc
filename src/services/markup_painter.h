#pragma once

#include "services/markup.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>

class QPainter;
class QPaintDevice;
class QWidget;

// The markup canvas on a QPainter. Without a painter it only measures, which is
// what a main-window canvas or an auto-sizing control needs. Fonts are measured
// on the painter's device, or on the given device when there is no painter.
class MarkupPainter final : public MarkupCanvas {
public:
    // The canvas font starts as startFont in the painter's pen colour (black
    // without a painter).
    explicit MarkupPainter(QPainter* painter, const QFont& startFont = QFont(),
                           QPaintDevice* measuringDevice = nullptr);

    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void DrawTextAt(int x, int y, const std::string& text) override;
    void Rectangle(int left, int top, int right, int bottom) override;

private:
    QString Displayed(const std::string& text) const;
    QFontMetrics Metrics() const;

    QPainter* painter_;
    QPaintDevice* device_;
};

// Converts between the markup's colours (0x00BBGGRR) and fonts and Qt's.
QColor ToQColor(MarkupColor color);
MarkupColor FromQColor(const QColor& color);
MarkupFont FromQFont(const QFont& font, const QColor& color);
// The Symbol face becomes a face that has the signs.
QFont ToQFont(const MarkupFont& font);

// Makes a measuring canvas in the window's font (normally the main window's)
// the canvas markup falls back on; nullptr removes it.
void UseAsMainMarkupCanvas(const QWidget* window);
