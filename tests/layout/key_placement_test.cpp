// Placing a key with the mouse: press, drag, zoom and the outline's geometry.

#include "layout/key_placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TKeyRecord Key(std::uint8_t typ, bool enabled = false)
{
    return TKeyRecord{65, enabled, typ, 7, 8, 9, 10};
}

TEST(KeyPlacement, PictureCoordinatesRoundTowardZero)
{
    EXPECT_EQ(PictureCoordinate(201, 2), 100);
    EXPECT_EQ(PictureCoordinate(99, 2), 49);
    EXPECT_EQ(PictureCoordinate(-3, 2), -1);
    EXPECT_EQ(PictureCoordinate(-3, 1), -3);
}

TEST(KeyPlacement, PressEnablesAndPlacesTheKey)
{
    struct Case {
        std::uint8_t typ;
        LayoutBoxes boxes;
        TKeyRecord expected;
    };
    const std::vector<Case> cases = {
        {kKeyRectangle, {35, 35, true}, {65, true, kKeyRectangle, 100, 50, 35, 35}},
        {kKeyCircle, {35, 30, true}, {65, true, kKeyCircle, 100, 50, 35, 0}},
        {kKeyRectangle, {35, 35, false}, {65, true, kKeyRectangle, 100, 50, 0, 0}},
        {kKeyCircle, {-4, 0, true}, {65, true, kKeyCircle, 100, 50, -4, 0}}, // sizes are taken as they are
        {7, {35, 35, true}, {65, true, 7, 100, 50, 35, 0}},
    };
    for (const Case& c : cases) {
        TKeyRecord key = Key(c.typ);
        PressKey(key, 100, 50, c.boxes);
        EXPECT_EQ(key, c.expected) << int(c.typ) << " " << c.boxes.Vorgabe;
    }
}

// Press at (100, 50), then move with the button down through the points.
TEST(KeyPlacement, DragSpansThePressPointAndThePointer)
{
    struct Case {
        const char* what;
        std::uint8_t typ;
        bool vorgabe;
        std::vector<std::pair<int, int>> moves;
        TKeyRecord expected;
    };
    const std::vector<Case> cases = {
        {"rectangle to the lower right", kKeyRectangle, false, {{130, 70}}, {65, true, 0, 100, 50, 30, 20}},
        {"circle: the larger distance is the radius", kKeyCircle, false, {{130, 70}}, {65, true, 1, 100, 50, 30, 0}},
        {"circle to the upper left keeps its centre",
         kKeyCircle,
         false,
         {{90, 50}, {95, 10}},
         {65, true, 1, 100, 50, 40, 0}},
        {"to the left: the pointer becomes the corner", kKeyRectangle, false, {{90, 50}}, {65, true, 0, 90, 50, 10, 0}},
        {"further left: still measured from the press point",
         kKeyRectangle,
         false,
         {{90, 50}, {80, 50}},
         {65, true, 0, 80, 50, 20, 0}},
        {"up and to the left", kKeyRectangle, false, {{120, 60}, {95, 40}}, {65, true, 0, 95, 40, 5, 10}},
        {"back onto the press point", kKeyRectangle, false, {{130, 70}, {100, 50}}, {65, true, 0, 100, 50, 0, 0}},
        {"default size: the key follows the pointer",
         kKeyRectangle,
         true,
         {{120, 60}, {140, 65}},
         {65, true, 0, 140, 65, 35, 30}},
        {"default size, circle", kKeyCircle, true, {{120, 60}}, {65, true, 1, 120, 60, 35, 30}},
        {"other types do not change", 2, false, {{130, 70}}, {65, true, 2, 100, 50, 0, 0}},
    };
    for (const Case& c : cases) {
        const LayoutBoxes boxes{35, 30, c.vorgabe};
        TKeyRecord key = Key(c.typ);
        PressKey(key, 100, 50, boxes);
        for (const auto& [x, y] : c.moves)
            DragKey(key, {100, 50}, x, y, boxes);
        EXPECT_EQ(key, c.expected) << c.what;
    }
}

TEST(KeyPlacement, DragAcrossTheWholeRangeDoesNotWrap)
{
    TKeyRecord key = Key(kKeyRectangle);
    const LayoutBoxes boxes{20, 20, false};
    PressKey(key, INT32_MIN, 0, boxes);
    DragKey(key, {INT32_MIN, 0}, INT32_MAX, 0, boxes);
    EXPECT_EQ(key.p0x, INT32_MIN);
    EXPECT_EQ(key.p1x, INT32_MAX);
}

TEST(KeyPlacement, OutlinesScaleWithTheZoom)
{
    const TKeyRecord rectangle{65, true, kKeyRectangle, 100, 50, 30, 20};
    const TKeyRecord circle{65, true, kKeyCircle, 100, 50, 30, 99};
    using Shape = KeyOutline::Shape;
    EXPECT_EQ(OutlineOf(rectangle, 1), (KeyOutline{Shape::Rectangle, 100, 50, 130, 70}));
    EXPECT_EQ(OutlineOf(rectangle, 2), (KeyOutline{Shape::Rectangle, 200, 100, 260, 140}));
    EXPECT_EQ(OutlineOf(circle, 1), (KeyOutline{Shape::Ellipse, 70, 20, 130, 80}));
    EXPECT_EQ(OutlineOf(circle, 2), (KeyOutline{Shape::Ellipse, 140, 40, 260, 160}));
    EXPECT_EQ(OutlineOf(TKeyRecord{65, true, 3, 1, 2, 3, 4}, 1), KeyOutline{});
    const TKeyRecord far{65, true, kKeyRectangle, INT32_MAX, INT32_MAX, INT32_MAX, 0};
    EXPECT_EQ(OutlineOf(far, 2).right, 4 * std::int64_t{INT32_MAX});
}

} // namespace
