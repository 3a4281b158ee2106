// The fitted scale's extremes and ends; the scale that reaches to 0 is
// tested through the labels and the runs that use it.

#include "monitor/Scale.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

// The first value since the reset is both extremes; every new extreme fits
// both ends to the extremes again, which may bring them in from the room a
// single value had; a value within the extremes changes nothing.
TEST(FittedScale, StartsFromTheFirstValueAndFitsBothEndsAtEveryNewExtreme) {
    Scale scale;
    scale.setFitted(true);
    scale.setEnds(100, 0);
    const std::tuple<double, bool, bool, double, double, double, double> steps[] = {
        // value, new highest, new lowest, highest, lowest, top, bottom
        {1000000050, true, true, 1000000050, 1000000050, 1010000000, 995000000},
        {1000000050, false, false, 1000000050, 1000000050, 1010000000, 995000000},
        {1000000000, false, true, 1000000050, 1000000000, 1000000060, 1000000000}, // step 20
        {1000000100, true, false, 1000000100, 1000000000, 1000000100, 1000000000}, // step 50
        {1000000060, false, false, 1000000100, 1000000000, 1000000100, 1000000000},
        {0, false, true, 1000000100, 0, 1500000000, 0}, // step 5E8
    };
    for (const auto& [value, newHighest, newLowest, highest, lowest, top, bottom] : steps) {
        SCOPED_TRACE(testing::Message() << value);
        EXPECT_EQ(scale.isNewExtreme(value), newHighest || newLowest);
        const NewExtremes moved = scale.takeFitted(value);
        EXPECT_EQ(std::pair(moved.highest, moved.lowest), std::pair(newHighest, newLowest));
        EXPECT_EQ(std::pair(scale.highest(), scale.lowest()), std::pair(highest, lowest));
        EXPECT_EQ(std::pair(scale.top(), scale.bottom()), std::pair(top, bottom));
    }
}

// After a reset, and after switching the fit either way, the extremes start
// again: a fitted scale from its next value, the other one from 0. Switching
// nothing keeps them.
TEST(FittedScale, StartsAgainAfterAResetOrASwitch) {
    Scale scale;
    EXPECT_FALSE(scale.isNewExtreme(0)) << "from 0, 0 is no new extreme";
    scale.takeHighest(30);
    scale.setFitted(false);
    EXPECT_EQ(scale.highest(), 30) << "no switch";
    scale.setFitted(true);
    EXPECT_EQ(scale.highest(), 0);
    EXPECT_TRUE(scale.isNewExtreme(0)) << "the first value, whatever it is";

    scale.takeFitted(-5);
    EXPECT_EQ(std::tuple(scale.highest(), scale.lowest(), scale.top(), scale.bottom()),
              std::tuple(-5, -5, -4.98, -5.02))
        << "not reaching up to 0";
    EXPECT_FALSE(scale.isNewExtreme(-5));
    scale.resetExtremes();
    EXPECT_TRUE(scale.isNewExtreme(-5));
    scale.takeFitted(7);
    EXPECT_EQ(std::pair(scale.highest(), scale.lowest()), std::pair(7.0, 7.0));

    scale.setFitted(false);
    EXPECT_EQ(std::pair(scale.highest(), scale.lowest()), std::pair(0.0, 0.0));
    EXPECT_FALSE(scale.isNewExtreme(0));
    EXPECT_EQ(std::pair(scale.top(), scale.bottom()), std::pair(7.02, 0.0)) << "reaching down to 0 again";
    scale.setFitted(true);
    scale.takeFitted(-7);
    scale.setFitted(false);
    EXPECT_EQ(std::pair(scale.top(), scale.bottom()), std::pair(0.0, -7.02)) << "and up to 0";
}

} // namespace
