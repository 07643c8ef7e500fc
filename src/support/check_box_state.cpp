#include "support/check_box_state.h"

std::uint8_t AcceptedCheckState(std::uint8_t requested, bool allowGrayed)
{
    if (requested > csGrayed || (requested == csGrayed && !allowGrayed))
        return csChecked;
    return requested;
}

std::uint8_t StateAfterBoxClick(std::uint8_t state)
{
    return state == csChecked ? csUnchecked : csChecked;
}

std::uint8_t StateAfterCaptionClick(std::uint8_t state, bool allowGrayed)
{
    if (!allowGrayed)
        return StateAfterBoxClick(state);
    switch (state) {
    case csUnchecked: return csGrayed;
    case csGrayed: return csChecked;
    default: return csUnchecked;
    }
}

CheckSquare CheckSquareFor(int boxHeight)
{
    return {0, 3, boxHeight - 5, boxHeight - 2};
}
