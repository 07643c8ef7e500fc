#include "keyboard/keyboard_image.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TKeyboardImage::TKeyboardImage(QWidget* parent) : QWidget(parent)
{
    setObjectName("Image");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

namespace {

QRect AreaRect(const PictureRect& area)
{
    return QRect(QPoint(area.left, area.top), QPoint(area.right - 1, area.bottom - 1));
}

} // namespace

void TKeyboardImage::ShowPicture(const QImage& picture, const std::vector<PictureRect>& inverted)
{
    QRegion changed;
    std::size_t kept = 0; // areas inverted now as before, in the same place of the order
    if (picture.cacheKey() == pictureKey_) {
        const auto [now, before] = std::ranges::mismatch(inverted, inverted_);
        kept = static_cast<std::size_t>(now - inverted.begin());
        // Inverting is its own undoing, in any order: the areas shown inverted
        // that are no longer are inverted back.
        changed += Invert(std::span(inverted_).subspan(kept));
    } else {
        // A full-colour picture is shared, not copied, until an area is inverted.
        canvas_ = picture.convertToFormat(QImage::Format_RGB32);
        pictureKey_ = picture.cacheKey();
        changed = canvas_.rect();
    }
    changed += Invert(std::span(inverted).subspan(kept));
    inverted_ = inverted;
    if (size() != canvas_.size())
        setFixedSize(canvas_.size());
    if (!changed.isEmpty())
        update(changed);
}

QRegion TKeyboardImage::Invert(std::span<const PictureRect> areas)
{
    QRegion inverted;
    if (areas.empty())
        return inverted;
    QPainter painter(&canvas_);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const PictureRect& area : areas) {
        painter.fillRect(AreaRect(area), Qt::white);
        inverted += AreaRect(area);
    }
    return inverted;
}

void TKeyboardImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

QPoint TKeyboardImage::PicturePoint(const QMouseEvent* event)
{
    pointer_ = event->globalPosition().toPoint();
    return mapFromGlobal(pointer_);
}

void TKeyboardImage::mousePressEvent(QMouseEvent* event)
{
    if (onMouseDown)
        onMouseDown(event->button(), PicturePoint(event));
}

void TKeyboardImage::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove)
        onMouseMove(PicturePoint(event));
}

void TKeyboardImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (onMouseUp)
        onMouseUp(PicturePoint(event));
}
