#pragma once

#include "layout/key_table.h"

#include <cstdint>
#include <vector>

// Where the keys are on the picture, and which areas are shown inverted.

// A rectangle of picture pixels; right and bottom are the first pixels outside.
struct PictureRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

// Whether the point lies on the key, whether it is enabled or not. A rectangle
// holds its right and bottom edges; a circle (type 1) the points within its
// radius of its centre, the rim included. Keys of other types count as rectangles.
bool KeyHolds(const TKeyRecord& key, std::int64_t x, std::int64_t y);

// The first enabled key that holds the point; -1 when there is none.
int KeyAt(const KeyTable& table, int x, int y);

// The areas that show key index inverted: exactly the pixels KeyAt finds it on,
// one rectangle for a rectangle key, one row after the other for a circle.
std::vector<PictureRect> HighlightAreas(const KeyTable& table, int index);

// The first key whose upper-cased name is upperName, enabled or not; -1 when none.
int KeyNamed(const KeyTable& table, const std::string& upperName);
