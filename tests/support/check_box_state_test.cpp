#include "support/check_box_state.h"

#include <gtest/gtest.h>

TEST(CheckBoxState, GrayedOnlyWhenAllowedAndAnythingAboveTwoIsChecked)
{
    EXPECT_EQ(AcceptedCheckState(csUnchecked, false), csUnchecked);
    EXPECT_EQ(AcceptedCheckState(csChecked, false), csChecked);
    EXPECT_EQ(AcceptedCheckState(csGrayed, false), csChecked);
    EXPECT_EQ(AcceptedCheckState(csGrayed, true), csGrayed);
    EXPECT_EQ(AcceptedCheckState(3, true), csChecked);
    EXPECT_EQ(AcceptedCheckState(255, false), csChecked);
}

TEST(CheckBoxState, BoxClickTogglesAndTurnsGrayedIntoChecked)
{
    EXPECT_EQ(StateAfterBoxClick(csUnchecked), csChecked);
    EXPECT_EQ(StateAfterBoxClick(csChecked), csUnchecked);
    EXPECT_EQ(StateAfterBoxClick(csGrayed), csChecked);
}

TEST(CheckBoxState, CaptionClickCyclesThroughGrayedOnlyWhenAllowed)
{
    EXPECT_EQ(StateAfterCaptionClick(csUnchecked, true), csGrayed);
    EXPECT_EQ(StateAfterCaptionClick(csGrayed, true), csChecked);
    EXPECT_EQ(StateAfterCaptionClick(csChecked, true), csUnchecked);
    EXPECT_EQ(StateAfterCaptionClick(csUnchecked, false), csChecked);
    EXPECT_EQ(StateAfterCaptionClick(csChecked, false), csUnchecked);
}
