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

// Mode 1 steps through the periods from dusk; mode 2 ends period 3 at dawn. Long periods never
// run past the night: in mode 1 the night stretches to show all three, in mode 2 period 3 keeps
// its place before dawn and cuts period 2 short. A zero night still gives a plot to draw on.
TEST(ModeDiagram, StepsFromDuskAndToDawn)
{
    Load::ModeDiagram d = layOut(1, {90, 120, 30}, {100, 50, 0});
    const QList<QPointF> steps = {{10, 120}, {10, 20},   {100, 20},  {100, 70},
                                  {220, 70}, {220, 120}, {250, 120}, {250, 120}};
    EXPECT_EQ(d.stepLines, QList<QList<QPointF>>{steps});
    EXPECT_EQ(QList<double>({d.dawnX, d.periods.at(1).levelY, d.remainingEndX}),
              QList<double>({610, 70, 610}));
    EXPECT_EQ(d.remainingMinutes, 360);

    d = layOut(2, {120, 60, 180}, {100, 80, 30});
    EXPECT_EQ(d.stepLines, (QList<QList<QPointF>>{
                               {{10, 120}, {10, 20}, {130, 20}, {130, 40}, {190, 40}, {190, 120}},
                               {{430, 120}, {430, 90}, {610, 90}, {610, 120}}}));
    EXPECT_EQ(QList<double>({d.remainingStartX, d.remainingEndX}), QList<double>({190, 430}));
    EXPECT_EQ(d.remainingMinutes, 240);

    d = layOut(1, {300, 300, 600}, {100, 100, 100});
    EXPECT_EQ(QList<double>({d.periods.at(0).endX, d.remainingStartX}), QList<double>({160, 610}));
    d = layOut(2, {300, 300, 180}, {100, 100, 100});
    EXPECT_EQ(QList<double>({d.periods.at(1).endX, d.periods.at(2).startX}),
              QList<double>({430, 430}));
    EXPECT_EQ(QList<int>({d.periods.at(1).minutes, d.remainingMinutes}), QList<int>({300, 0}));
    EXPECT_EQ(layOut(2, {0, 0, 0}, {0, 0, 0}, 0).dawnX, 610);
}
