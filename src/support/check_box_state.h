#pragma once

#include <cstdint>

// The three states of the program's check box and the rules that move between them.
enum CheckState : std::uint8_t { csUnchecked = 0, csChecked = 1, csGrayed = 2 };

// The state a request is stored as: anything above 2, or grayed where grayed is
// not allowed, becomes checked.
std::uint8_t AcceptedCheckState(std::uint8_t requested, bool allowGrayed);

// The state after a click on the box itself: checked and unchecked swap, grayed becomes checked.
std::uint8_t StateAfterBoxClick(std::uint8_t state);

// The state after a click on the caption: unchecked, grayed, checked in a cycle
// when grayed is allowed, otherwise the same as a click on the box.
std::uint8_t StateAfterCaptionClick(std::uint8_t state, bool allowGrayed);

// The check square of a box of the given height: right and bottom exclusive.
struct CheckSquare {
    int left = 0, top = 3, right = 0, bottom = 0;
};
CheckSquare CheckSquareFor(int boxHeight);
