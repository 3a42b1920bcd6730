#include "model/parameterset.h"

#include <gtest/gtest.h>

#include <set>

TEST(ParameterSet, FreshSetHoldsTheTabledProductsAndSlots)
{
    const ParameterSet set;
    ASSERT_EQ(set.productNames.size(), 11);
    EXPECT_EQ(set.productNames.first(), "QM-X");
    EXPECT_EQ(set.productNames.at(6), "Korvel-XW");
    EXPECT_EQ(set.productNames.last(), "HWKT-GNF");
    const std::array<bool, 11> general = {true, true, false, false, false, true,
                                          true, true, false, false, false};
    EXPECT_EQ(set.usesGeneralLoad, general);

    ASSERT_EQ(set.values.size(), 59);
    EXPECT_EQ(set.values, set.defaults);
    EXPECT_EQ(set.values.at(3), "1600");
    EXPECT_EQ(set.values.at(38), "2560");
    EXPECT_EQ(set.values.at(47), "0");

    // Addresses: four upper-case hex digits, strictly rising, with the two known gaps.
    for (int slot = 1; slot < 59; ++slot) {
        const QString &a = set.addresses.at(slot);
        ASSERT_TRUE(a.size() == 4 && a == a.toUpper()) << slot;
        EXPECT_LT(set.addresses.at(slot - 1).toInt(nullptr, 16), a.toInt(nullptr, 16));
    }
    EXPECT_EQ(set.addresses.mid(14, 2), (QStringList{"900E", "901E"}));
    EXPECT_EQ(set.addresses.mid(38, 2), (QStringList{"9065", "9067"}));
    EXPECT_EQ(set.addresses.at(58), "9081");
}

TEST(ParameterSet, EverySelectionWalksItsOwnCountInSlotOrder)
{
    const ParameterSet set;
    EXPECT_EQ(
        set.GroupWalk(GroupSelection::Battery),
        (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 39, 42, 43, 44, 45, 46}));
    EXPECT_EQ(set.GroupWalk(GroupSelection::Load),
              (QList<int>{15, 16, 17, 18, 19, 20, 21, 23, 24, 25, 26,
                          27, 28, 29, 30, 31, 32, 33, 34, 38, 40, 41}));
    // Load and LED slots interleave in slot order.
    EXPECT_EQ(set.GroupWalk(GroupSelection::LoadLed).mid(0, 9),
              (QList<int>{15, 16, 17, 18, 19, 20, 21, 22, 23}));
    EXPECT_EQ(set.GroupWalk(GroupSelection::LoadLed).mid(35), (QList<int>{56, 57, 58}));

    std::set<int> counts;
    for (GroupSelection s : {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
                             GroupSelection::BatteryLoad, GroupSelection::All}) {
        const QList<int> walk = set.GroupWalk(s);
        EXPECT_EQ(walk.size(), SlotCount(s));
        EXPECT_TRUE(std::is_sorted(walk.begin(), walk.end()));
        EXPECT_EQ(SelectionFromSlotCount(walk.size()), s);
        counts.insert(int(walk.size()));
    }
    // Files and the programmer tell the selection by its count alone.
    EXPECT_EQ(counts, (std::set<int>{21, 22, 38, 43, 59}));
    EXPECT_TRUE(set.GroupWalk(GroupSelection::None).isEmpty());
    EXPECT_EQ(SelectionFromSlotCount(20), GroupSelection::None);
}
