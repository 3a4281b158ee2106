#include "core/MonitorState.h"

#include <gtest/gtest.h>

namespace {

TEST(MonitorState, LoadSetsTheStartDefaults) {
    MonitorState state;
    LoadMonitorDefaults(state);
    EXPECT_EQ(state.strDelimit, "カンマ");
    EXPECT_EQ(state.intDatCol, 1);
    EXPECT_EQ(state.lngInterval, 1000);
    EXPECT_EQ(state.lngSpeed, 0);
    EXPECT_EQ(state.intLimit, 80);
    EXPECT_TRUE(state.blnAutoMaxMin);
    EXPECT_EQ(state.lngXmem, 500);
    EXPECT_EQ(state.DatBuf.size(), 501u);
    EXPECT_EQ(state.lngDatPos, -1);
    EXPECT_FALSE(state.blnDatRound);
    EXPECT_TRUE(state.blnLoaded);
    EXPECT_TRUE(state.blnReadReady);
    EXPECT_EQ(state.lngXmemNormal, 0);
    EXPECT_EQ(state.lngRange, 0);

    MonitorState chosen;
    chosen.strDelimit = "タブ";
    LoadMonitorDefaults(chosen);
    EXPECT_EQ(chosen.strDelimit, "タブ") << "only an empty delimiter gets the default";
}

TEST(MonitorState, ResetDatPosKeepsTheValues) {
    MonitorState state;
    state.DatBuf[3].DVal = 42;
    state.lngDatPos = 3;
    state.blnDatRound = true;
    ResetDatPos(state);
    EXPECT_EQ(state.lngDatPos, -1);
    EXPECT_FALSE(state.blnDatRound);
    EXPECT_EQ(state.DatBuf[3].DVal, 42);
}

TEST(MonitorState, RedimEmptiesTheBufferAndResetsThePosition) {
    MonitorState state;
    state.DatBuf[0].DVal = 7;
    state.lngDatPos = 400;
    state.blnDatRound = true;
    ASSERT_TRUE(RedimDatBuf(state, 5000));
    EXPECT_EQ(state.DatBuf.size(), 5001u);
    EXPECT_EQ(state.DatBuf[0].DVal, 0);
    EXPECT_EQ(state.lngDatPos, -1);
    EXPECT_FALSE(state.blnDatRound);
    EXPECT_EQ(datBufUpperBound(state), 5000);

    for (std::int64_t refused : {std::int64_t{-1}, kMaxBufferSlots}) {
        state.lngDatPos = 10;
        EXPECT_FALSE(RedimDatBuf(state, refused)) << refused;
        EXPECT_EQ(state.DatBuf.size(), 1u);
        EXPECT_EQ(state.lngDatPos, -1) << "the position never points past the buffer";
    }
    EXPECT_TRUE(RedimDatBuf(state, 0));
    EXPECT_EQ(state.DatBuf.size(), 1u);
}

} // namespace
