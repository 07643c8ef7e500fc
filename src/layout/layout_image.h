#pragma once

#include "layout/key_placement.h"

#include <QImage>
#include <QWidget>

#include <functional>

// The layout editor's picture control: shows its own bitmap, which the editor
// draws on, sized to it, and reports the mouse in its own coordinates.
class TLayoutImage : public QWidget {
    Q_OBJECT

public:
    explicit TLayoutImage(QWidget* parent = nullptr);

    // The picture copied in, stretched to size (nearest pixels).
    void ShowPicture(const QImage& picture, QSize size);
    // Inverts the outline's area (XOR with white), so that drawing the same
    // outline again restores the bitmap.
    void XorOutline(const KeyOutline& outline);
    const QImage& Canvas() const { return canvas_; }

    std::function<void(QPoint)> onMouseDown;
    std::function<void(QPoint)> onMouseMove;
    std::function<void(QPoint)> onMouseUp;

    QSize sizeHint() const override { return canvas_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage canvas_;
};
