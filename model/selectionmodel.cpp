#include "model/selectionmodel.h"

SelectionModel::SelectionModel(QObject *parent) : QObject(parent) {}

template <typename Change> void SelectionModel::update(Change change)
{
    State next = m_state;
    change(next);
    if (next == m_state)
        return;
    m_state = next;
    emit changed();
}

void SelectionModel::setProductType(int index)
{
    update([&](State &next) { next.productType = index; });
}

void SelectionModel::setProductName(const QString &name)
{
    update([&](State &next) { next.productName = name; });
}

void SelectionModel::setBatteryBox(bool checked)
{
    update([&](State &next) { next.batteryBox = checked; });
}

void SelectionModel::setLoadBox(bool checked)
{
    update([&](State &next) { next.loadBox = checked; });
}

void SelectionModel::setGeneralLoad(bool general)
{
    update([&](State &next) { next.generalLoad = general; });
}

void SelectionModel::chooseProduct(int index)
{
    if (index < 0 || index >= int(kProductTypes.size()))
        return;
    update([&](State &next) {
        next.productType = index;
        next.generalLoad = kProductTypes[std::size_t(index)].generalLoad;
        next.productName = QString::fromLatin1(kProductTypes[std::size_t(index)].name);
    });
}

void SelectionModel::restoreGroupSelection(GroupSelection selection)
{
    if (selection == GroupSelection::None)
        return;
    update([&](State &next) {
        // A battery-only block records no load form: generalLoad stays as it is.
        if (selection != GroupSelection::Battery)
            next.generalLoad =
                selection == GroupSelection::Load || selection == GroupSelection::BatteryLoad;
        next.batteryBox = selectionHasGroup(selection, SlotGroup::Battery);
        next.loadBox = selectionHasGroup(selection, SlotGroup::Load);
    });
}

void SelectionModel::clearGroupBoxes()
{
    update([](State &next) {
        next.batteryBox = false;
        next.loadBox = false;
    });
}

GroupSelection SelectionModel::currentGroupSelection() const
{
    return selectionFromBoxes(m_state.batteryBox, m_state.loadBox, m_state.generalLoad);
}
