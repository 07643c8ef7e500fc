#pragma once

#include "support/label_text_layout.h"

#include <QWidget>

#include <string>

// A windowless label that draws its caption with the formatted-text markup,
// wrapping at spaces to its width and breaking lines at CR LF; optionally with a
// light shadow, optionally sizing itself to its text. A label whose clicked()
// signal is connected shows a small yellow mark and the hand cursor, unless it is
// the caption of a TMyCheckBox or TMyRadioButton. The font colour is the
// palette's WindowText, the label's colour its Window.
class TMyLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ CaptionText WRITE SetCaptionText)
    Q_PROPERTY(bool Schatten READ Schatten WRITE SetSchatten)
    Q_PROPERTY(bool Autosize READ Autosize WRITE SetAutosize)

public:
    // A label created without a caption shows its class name.
    explicit TMyLabel(QWidget* parent = nullptr, const std::string& caption = {});

    // The caption as a program text (Windows-1252).
    const std::string& Caption() const { return caption; }
    void SetCaption(const std::string& text);
    QString CaptionText() const;
    void SetCaptionText(const QString& text);

    bool Schatten() const { return schatten; }
    void SetSchatten(bool shadow);
    bool Autosize() const { return autosize; }
    void SetAutosize(bool on);

    int Bottom() const { return y() + height(); }
    int Right() const { return x() + width(); }
    void SetRight(int right) { move(right - width(), y()); }

    // The text as laid out at (0, 0) for the label's width; an auto-sizing label
    // has sized itself to it.
    LabelTextExtent TextExtent() const;
    // Lays the caption out again now (done on every change that affects it).
    void LayOut();

    // The pixel height of a font, whichever way its size was given.
    static int FontPixelHeight(const QFont& font);

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;

private:
    bool ShowsLinkMark() const;
    void UpdateCursor();
    void Measure() const;
    void DrawPass(QPainter& painter, int x0, int y0, const QColor& colour, bool opaque);

    std::string caption;
    bool schatten = false;
    bool autosize = false;
    bool pressed = false;
    // Measured for this width; a hidden widget learns of a resize only when shown.
    mutable LabelTextExtent extent;
    mutable int measuredWidth = -1;
};
