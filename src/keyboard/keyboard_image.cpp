#include "keyboard/keyboard_image.h"

#include <QMouseEvent>
#include <QPainter>

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
    if (picture.cacheKey() == pictureKey_) {
        // Inverting is its own undoing: the areas shown inverted are inverted back.
        Invert(inverted_);
        for (const PictureRect& area : inverted_)
            changed += AreaRect(area);
    } else {
        // A full-colour picture is shared, not copied, until an area is inverted.
        canvas_ = picture.convertToFormat(QImage::Format_RGB32);
        pictureKey_ = picture.cacheKey();
        changed = canvas_.rect();
    }
    Invert(inverted);
    for (const PictureRect& area : inverted)
        changed += AreaRect(area);
    inverted_ = inverted;
    if (size() != canvas_.size())
        setFixedSize(canvas_.size());
    update(changed);
}

void TKeyboardImage::Invert(const std::vector<PictureRect>& areas)
{
    if (areas.empty())
        return;
    QPainter painter(&canvas_);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const PictureRect& area : areas)
        painter.fillRect(AreaRect(area), Qt::white);
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
