#pragma once

#include "keyboard/key_hit_test.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <span>
#include <vector>

// The picture control of the keyboard window: shows a copy of the keyboard
// picture with some areas inverted (XOR with white, so an area inverted twice
// shows normal) and reports the mouse in picture coordinates.
class TKeyboardImage : public QWidget {
    Q_OBJECT

public:
    explicit TKeyboardImage(QWidget* parent = nullptr);

    // Shows the picture with the areas inverted, in order. Only what changed is
    // drawn again: for the picture shown already, the areas that were inverted
    // and those that are now.
    void ShowPicture(const QImage& picture, const std::vector<PictureRect>& inverted);
    const QImage& Canvas() const { return canvas_; }

    // Picture coordinates of the pointer; the button for presses and releases.
    std::function<void(Qt::MouseButton, QPoint)> onMouseDown;
    std::function<void(QPoint)> onMouseMove;
    std::function<void(QPoint)> onMouseUp;
    // The pointer's screen position at the last mouse event.
    QPoint Pointer() const { return pointer_; }

    QSize sizeHint() const override { return canvas_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The pointer in picture coordinates, taken from its screen position (kept for
    // Pointer()) so that a window that is being moved does not feed its own moves back.
    QPoint PicturePoint(const QMouseEvent* event);

    // Inverts the areas on the canvas; the region they cover.
    QRegion Invert(std::span<const PictureRect> areas);

    QImage canvas_;
    qint64 pictureKey_ = -1; // the cacheKey of the picture on the canvas; none yet
    std::vector<PictureRect> inverted_;
    QPoint pointer_;
};
