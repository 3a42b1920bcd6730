#include "rules/modediagram.h"

#include <gtest/gtest.h>

namespace {

// 600 units wide and 100 high: one unit per minute of a 10-hour night, one per percent.
Load::ModeDiagram layOut(int mode, std::array<int, 3> minutes, std::array<int, 3> levels,
                         int night = 600)
{
    return Load::layOutModeDiagram({mode, minutes, levels, night}, QRectF(10, 20, 600, 100));
}

} // namespace

TEST(ModeDiagram, Mode1StepsFromDuskAndMode2EndsPeriod3AtDawn)
{
    Load::ModeDiagram d = layOut(1, {90, 120, 30}, {100, 50, 0});
    EXPECT_EQ(d.stepLines, (QList<QList<QPointF>>{{{10, 120},
                                                   {10, 20},
                                                   {100, 20},
                                                   {100, 70},
                                                   {220, 70},
                                                   {220, 120},
                                                   {250, 120},
                                                   {250, 120}}}));
    EXPECT_DOUBLE_EQ(d.dawnX, 610);
    EXPECT_DOUBLE_EQ(d.periods.at(1).levelY, 70);
    EXPECT_EQ(d.remainingMinutes, 360);

    d = layOut(2, {120, 60, 180}, {100, 80, 30});
    EXPECT_EQ(d.stepLines, (QList<QList<QPointF>>{
                               {{10, 120}, {10, 20}, {130, 20}, {130, 40}, {190, 40}, {190, 120}},
                               {{430, 120}, {430, 90}, {610, 90}, {610, 120}}}));
    EXPECT_DOUBLE_EQ(d.remainingStartX, 190);
    EXPECT_DOUBLE_EQ(d.remainingEndX, 430);
    EXPECT_EQ(d.remainingMinutes, 240);
}

TEST(ModeDiagram, LongPeriodsNeverRunPastTheNight)
{
    // Mode 1: the night stretches to show all three periods; nothing remains.
    Load::ModeDiagram d = layOut(1, {300, 300, 600}, {100, 100, 100});
    EXPECT_DOUBLE_EQ(d.periods.at(0).endX, 10 + 150);
    EXPECT_DOUBLE_EQ(d.remainingStartX, d.dawnX);

    // Mode 2: period 3 keeps its place before dawn and cuts period 2 short.
    d = layOut(2, {300, 300, 180}, {100, 100, 100});
    EXPECT_DOUBLE_EQ(d.periods.at(1).endX, 430);
    EXPECT_EQ(d.periods.at(1).minutes, 300);
    EXPECT_EQ(d.remainingMinutes, 0);

    // A zero night still gives a plot to draw on.
    EXPECT_DOUBLE_EQ(layOut(2, {0, 0, 0}, {0, 0, 0}, 0).dawnX, 610);
}
