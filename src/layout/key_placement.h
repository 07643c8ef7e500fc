#pragma once

#include "layout/key_table.h"
#include "layout/layout_reader.h"

#include <cstdint>

// How the layout editor places a key on the picture with the mouse: a press puts
// the key's corner (a circle's centre) at the pointer, a move with the button
// down drags the key out or, at the default size, moves it. Picture coordinates.

// A picture point under a point of the editor's picture shown zoom times larger:
// divided, rounding toward zero.
std::int32_t PictureCoordinate(std::int32_t shown, std::int32_t zoom);

// A press at (x, y): the key is enabled and placed there, empty. With the
// default size on, a rectangle gets the size boxes' width and height and a
// circle their width as its radius.
void PressKey(TKeyRecord& key, std::int32_t x, std::int32_t y, const LayoutBoxes& boxes);

// Where a drag began: the press point.
struct DragOrigin {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// A move to (x, y) with the button down. With the default size on, the key
// follows the pointer at the boxes' size. Otherwise a rectangle spans the
// press point and the pointer (its corner is the smaller coordinate of the two
// on each axis, its size their distance), and a circle stays centred on the
// press point with the larger distance as its radius. Keys of other types do
// not change.
void DragKey(TKeyRecord& key, const DragOrigin& origin, std::int32_t x, std::int32_t y, const LayoutBoxes& boxes);

// The shape the editor draws over a chosen key, in the coordinates of its
// picture shown zoom times larger: the rectangle from (left, top) up to but
// not including (right, bottom), or the ellipse inside it.
struct KeyOutline {
    enum class Shape { None, Rectangle, Ellipse };
    Shape shape = Shape::None;
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;

    friend bool operator==(const KeyOutline&, const KeyOutline&) = default;
};

// A rectangle key from (p0x, p0y) to (p0x + p1x, p0y + p1y), a circle key around
// its centre with radius p1x, both scaled by zoom; any other type has none.
KeyOutline OutlineOf(const TKeyRecord& key, std::int32_t zoom);
