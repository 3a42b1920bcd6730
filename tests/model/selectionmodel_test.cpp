#include "model/selectionmodel.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(SelectionModel, RestoresStoredSelectionsWithOneSignalPerChange)
{
    SelectionModel model;
    QSignalSpy changed(&model, &SelectionModel::changed);

    model.chooseProduct(2); // an LED product: name and form follow in one change
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(model.productName(), "QM-XDJ");
    EXPECT_FALSE(model.generalLoad());
    model.chooseProduct(11); // no such product
    model.chooseProduct(2);  // nothing new
    EXPECT_EQ(changed.count(), 1);

    // A battery-only block keeps the load form; any block with the load group sets it.
    model.restoreGroupSelection(GroupSelection::Battery);
    EXPECT_EQ(model.currentGroupSelection(), GroupSelection::Battery);
    EXPECT_FALSE(model.generalLoad());
    model.restoreGroupSelection(GroupSelection::BatteryLoad);
    EXPECT_EQ(model.currentGroupSelection(), GroupSelection::BatteryLoad);
    EXPECT_TRUE(model.generalLoad());
    EXPECT_EQ(changed.count(), 3);
    model.restoreGroupSelection(GroupSelection::None);
    EXPECT_EQ(changed.count(), 3);

    model.clearGroupBoxes();
    EXPECT_EQ(model.currentGroupSelection(), GroupSelection::None);
    EXPECT_EQ(changed.count(), 4);
}
