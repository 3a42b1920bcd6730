#include "rules/modediagram.h"

#include <gtest/gtest.h>

namespace {

// 600 units wide and 100 high: one unit per minute of a 10-hour night, one per percent.
const QRectF kPlot(10, 20, 600, 100);

Load::ModeSchedule schedule(int mode, std::array<int, 3> minutes, std::array<int, 3> levels,
                            int night)
{
    Load::ModeSchedule s;
    s.mode = mode;
    s.periodMinutes = minutes;
    s.levels = levels;
    s.nightMinutes = night;
    return s;
}

} // namespace

TEST(ModeDiagram, Mode1StepsFollowThePeriodsFromDusk)
{
    const Load::ModeDiagram d =
        Load::layOutModeDiagram(schedule(1, {90, 120, 30}, {100, 50, 0}, 600), kPlot);
    EXPECT_DOUBLE_EQ(d.duskX, 10);
    EXPECT_DOUBLE_EQ(d.dawnX, 610);
    EXPECT_DOUBLE_EQ(d.baseY, 120);
    ASSERT_EQ(d.stepLines.size(), 1);
    const QList<QPointF> expected{{10, 120}, {10, 20},   {100, 20},  {100, 70},
                                  {220, 70}, {220, 120}, {250, 120}, {250, 120}};
    EXPECT_EQ(d.stepLines.first(), expected);
    EXPECT_DOUBLE_EQ(d.remainingStartX, 250);
    EXPECT_DOUBLE_EQ(d.remainingEndX, 610);
    EXPECT_EQ(d.remainingMinutes, 360);
    ASSERT_EQ(d.periods.size(), 3);
    EXPECT_DOUBLE_EQ(d.periods.at(1).startX, 100);
    EXPECT_DOUBLE_EQ(d.periods.at(1).endX, 220);
    EXPECT_DOUBLE_EQ(d.periods.at(1).levelY, 70);
}

TEST(ModeDiagram, Mode2EndsPeriod3AtDawn)
{
    const Load::ModeDiagram d =
        Load::layOutModeDiagram(schedule(2, {120, 60, 180}, {100, 80, 30}, 600), kPlot);
    ASSERT_EQ(d.stepLines.size(), 2);
    const QList<QPointF> evening{{10, 120}, {10, 20}, {130, 20}, {130, 40}, {190, 40}, {190, 120}};
    const QList<QPointF> morning{{430, 120}, {430, 90}, {610, 90}, {610, 120}};
    EXPECT_EQ(d.stepLines.at(0), evening);
    EXPECT_EQ(d.stepLines.at(1), morning);
    EXPECT_DOUBLE_EQ(d.remainingStartX, 190);
    EXPECT_DOUBLE_EQ(d.remainingEndX, 430);
    EXPECT_EQ(d.remainingMinutes, 240);
}

TEST(ModeDiagram, LongPeriodsNeverRunPastTheNight)
{
    // Mode 1: the night stretches to show all three periods; nothing remains.
    Load::ModeDiagram d =
        Load::layOutModeDiagram(schedule(1, {300, 300, 600}, {100, 100, 100}, 600), kPlot);
    EXPECT_DOUBLE_EQ(d.periods.at(2).endX, d.dawnX);
    EXPECT_DOUBLE_EQ(d.periods.at(0).endX, 10 + 150);
    EXPECT_EQ(d.remainingMinutes, 0);

    // Mode 2: period 3 keeps its place before dawn and cuts period 2 short.
    d = Load::layOutModeDiagram(schedule(2, {300, 300, 180}, {100, 100, 100}, 600), kPlot);
    EXPECT_DOUBLE_EQ(d.periods.at(2).startX, 430);
    EXPECT_DOUBLE_EQ(d.periods.at(1).endX, 430);
    EXPECT_EQ(d.periods.at(1).minutes, 300);
    EXPECT_EQ(d.remainingMinutes, 0);

    // A zero night still gives a plot to draw on.
    d = Load::layOutModeDiagram(schedule(2, {0, 0, 0}, {0, 0, 0}, 0), kPlot);
    EXPECT_DOUBLE_EQ(d.dawnX, 610);
}
