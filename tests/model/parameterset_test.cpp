#include "model/parameterset.h"

#include <gtest/gtest.h>

#include <set>

TEST(ParameterSet, FreshSetHoldsTheTabledProductsAndSlots)
{
    ASSERT_EQ(kProductTypes.size(), 11u);
    EXPECT_STREQ(kProductTypes[0].name, "QM-X");
    EXPECT_STREQ(kProductTypes[6].name, "Korvel-XW");
    EXPECT_STREQ(kProductTypes[10].name, "HWKT-GNF");
    const std::array<bool, 11> general = {true, true, false, false, false, true,
                                          true, true, false, false, false};
    for (std::size_t i = 0; i < general.size(); ++i)
        EXPECT_EQ(kProductTypes[i].generalLoad, general[i]) << i;

    const ParameterSet set;
    ASSERT_EQ(set.values.size(), 59);
    EXPECT_EQ(set.values.at(3), "1600");
    EXPECT_EQ(set.values.at(38), "2560");
    EXPECT_EQ(set.values.at(47), "0");

    // Registers: strictly rising, with the two known gaps; files show them in upper case.
    for (int slot = 1; slot < 59; ++slot)
        EXPECT_LT(kSlotTable[slot - 1].reg, kSlotTable[slot].reg) << slot;
    EXPECT_EQ(registerText(Slot::LowVoltageReconnect), "900A");
    EXPECT_EQ(registerText(14) + registerText(15), "900E901E");
    EXPECT_EQ(registerText(38) + registerText(39), "90659067");
    EXPECT_EQ(registerText(58), "9081");
}

TEST(ParameterSet, EverySelectionWalksItsOwnCountInSlotOrder)
{
    EXPECT_EQ(
        groupWalk(GroupSelection::Battery),
        (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 39, 42, 43, 44, 45, 46}));
    EXPECT_EQ(groupWalk(GroupSelection::Load),
              (QList<int>{15, 16, 17, 18, 19, 20, 21, 23, 24, 25, 26,
                          27, 28, 29, 30, 31, 32, 33, 34, 38, 40, 41}));
    // Load and LED slots interleave in slot order.
    EXPECT_EQ(groupWalk(GroupSelection::LoadLed).mid(0, 9),
              (QList<int>{15, 16, 17, 18, 19, 20, 21, 22, 23}));
    EXPECT_EQ(groupWalk(GroupSelection::LoadLed).mid(35), (QList<int>{56, 57, 58}));

    std::set<int> counts;
    for (GroupSelection s : {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
                             GroupSelection::BatteryLoad, GroupSelection::All}) {
        const QList<int> walk = groupWalk(s);
        EXPECT_EQ(walk.size(), slotCount(s));
        EXPECT_TRUE(std::is_sorted(walk.begin(), walk.end()));
        EXPECT_EQ(selectionFromSlotCount(walk.size()), s);
        counts.insert(int(walk.size()));
    }
    // Files and the programmer tell the selection by its count alone.
    EXPECT_EQ(counts, (std::set<int>{21, 22, 38, 43, 59}));
    EXPECT_TRUE(groupWalk(GroupSelection::None).isEmpty());
    EXPECT_EQ(selectionFromSlotCount(20), GroupSelection::None);
}
