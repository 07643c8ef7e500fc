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

// The first enabled key whose rectangle holds the point, its right and bottom
// edges included; -1 when there is none. Every key counts as a rectangle.
int KeyAt(const KeyTable& table, int x, int y);

// The area that shows key index inverted: exactly the pixels KeyAt finds it on.
PictureRect HighlightRect(const KeyTable& table, int index);

// The first key whose upper-cased name is upperName, enabled or not; -1 when none.
int KeyNamed(const KeyTable& table, const std::string& upperName);
