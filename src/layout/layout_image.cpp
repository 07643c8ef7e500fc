#include "layout/layout_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// The outline's rectangle, corners in either order, limited to the bitmap (an
// outline may reach far beyond it); empty when nothing of it shows.
QRect Bounds(const KeyOutline& outline, QSize canvas)
{
    const auto clamp = [](std::int64_t value, int high) {
        return static_cast<int>(std::clamp<std::int64_t>(value, -1, high + 1));
    };
    const int left = clamp(std::min(outline.left, outline.right), canvas.width());
    const int right = clamp(std::max(outline.left, outline.right), canvas.width());
    const int top = clamp(std::min(outline.top, outline.bottom), canvas.height());
    const int bottom = clamp(std::max(outline.top, outline.bottom), canvas.height());
    return QRect(left, top, right - left, bottom - top);
}

// An ellipse far larger than any picture is beyond what the painter's fixed-point
// coordinates hold; such a circle is not drawn.
bool Drawable(const KeyOutline& outline)
{
    constexpr std::int64_t limit = 1 << 20;
    for (const std::int64_t value : {outline.left, outline.top, outline.right, outline.bottom})
        if (value < -limit || value > limit)
            return false;
    return true;
}

} // namespace

TLayoutImage::TLayoutImage(QWidget* parent) : QWidget(parent)
{
    setObjectName("Image");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLayoutImage::ShowPicture(const QImage& picture, QSize size)
{
    canvas_ = picture.convertToFormat(QImage::Format_RGB32).scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    setFixedSize(canvas_.size());
    update();
}

void TLayoutImage::XorOutline(const KeyOutline& outline)
{
    if (outline.shape == KeyOutline::Shape::None)
        return;
    QPainter painter(&canvas_);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    if (outline.shape == KeyOutline::Shape::Rectangle) {
        painter.drawRect(Bounds(outline, canvas_.size()));
    } else if (Drawable(outline)) {
        // The ellipse as one filled path, so that no pixel is inverted twice.
        QPainterPath ellipse;
        const auto at = [](std::int64_t value) { return static_cast<qreal>(value); };
        ellipse.addEllipse(
            QRectF(QPointF(at(outline.left), at(outline.top)), QPointF(at(outline.right), at(outline.bottom))));
        painter.drawPath(ellipse);
    }
    update();
}

void TLayoutImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

void TLayoutImage::mousePressEvent(QMouseEvent* event)
{
    if (onMouseDown)
        onMouseDown(event->position().toPoint());
}

void TLayoutImage::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove)
        onMouseMove(event->position().toPoint());
}

void TLayoutImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (onMouseUp)
        onMouseUp(event->position().toPoint());
}
