#include "layout/key_placement.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Sizes come from the user's boxes and may be anything: computed in 64 bits and
// kept at the edge of the field rather than wrapping around.
std::int32_t Clamped(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

std::int32_t PictureCoordinate(std::int32_t shown, std::int32_t zoom)
{
    return shown / zoom;
}

void PressKey(TKeyRecord& key, std::int32_t x, std::int32_t y, const LayoutBoxes& boxes)
{
    key.Enabled = true;
    key.p0x = x;
    key.p0y = y;
    key.p1x = 0;
    key.p1y = 0;
    if (!boxes.Vorgabe)
        return;
    key.p1x = boxes.Breite;
    if (key.Typ == kKeyRectangle)
        key.p1y = boxes.Hoehe;
}

void DragKey(TKeyRecord& key, const DragOrigin& origin, std::int32_t x, std::int32_t y, const LayoutBoxes& boxes)
{
    if (key.Typ != kKeyRectangle && key.Typ != kKeyCircle)
        return;
    if (boxes.Vorgabe) {
        key.p0x = x;
        key.p0y = y;
        key.p1x = boxes.Breite;
        key.p1y = boxes.Hoehe;
        return;
    }
    // Measured from the press point, so that a drag to the left or upwards grows
    // the key the way a drag to the right or downwards does.
    const std::int32_t dx = Clamped(std::abs(std::int64_t{x} - origin.x));
    const std::int32_t dy = Clamped(std::abs(std::int64_t{y} - origin.y));
    if (key.Typ == kKeyRectangle) {
        key.p0x = std::min(origin.x, x);
        key.p0y = std::min(origin.y, y);
        key.p1x = dx;
        key.p1y = dy;
    } else {
        key.p0x = origin.x;
        key.p0y = origin.y;
        key.p1x = std::max(dx, dy);
    }
}

KeyOutline OutlineOf(const TKeyRecord& key, std::int32_t zoom)
{
    const std::int64_t x = key.p0x;
    const std::int64_t y = key.p0y;
    if (key.Typ == kKeyRectangle)
        return {KeyOutline::Shape::Rectangle, x * zoom, y * zoom, (x + key.p1x) * zoom, (y + key.p1y) * zoom};
    if (key.Typ == kKeyCircle) {
        const std::int64_t r = key.p1x;
        return {KeyOutline::Shape::Ellipse, (x - r) * zoom, (y - r) * zoom, (x + r) * zoom, (y + r) * zoom};
    }
    return {};
}
