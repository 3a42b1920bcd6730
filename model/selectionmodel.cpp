#include "model/selectionmodel.h"

SelectionModel::SelectionModel(QObject *parent) : QObject(parent) {}

void SelectionModel::commit(const State &next)
{
    if (next == m_state)
        return;
    m_state = next;
    emit changed();
}

void SelectionModel::setProductType(int index)
{
    State next = m_state;
    next.productType = index;
    commit(next);
}

void SelectionModel::setProductName(const QString &name)
{
    State next = m_state;
    next.productName = name;
    commit(next);
}

void SelectionModel::setBatteryBox(bool checked)
{
    State next = m_state;
    next.batteryBox = checked;
    commit(next);
}

void SelectionModel::setLoadBox(bool checked)
{
    State next = m_state;
    next.loadBox = checked;
    commit(next);
}

void SelectionModel::setGeneralLoad(bool general)
{
    State next = m_state;
    next.generalLoad = general;
    commit(next);
}

void SelectionModel::ChooseProduct(const ParameterSet &parameters, int index)
{
    if (index < 0 || index >= ParameterSet::kProductCount)
        return;
    State next = m_state;
    next.productType = index;
    next.generalLoad = parameters.usesGeneralLoad[std::size_t(index)];
    next.productName = parameters.productNames.value(index);
    commit(next);
}

void SelectionModel::RestoreGroupSelection(GroupSelection selection)
{
    if (selection == GroupSelection::None)
        return;
    State next = m_state;
    // A battery-only block records no load form: generalLoad stays as it is.
    if (selection != GroupSelection::Battery)
        next.generalLoad =
            selection == GroupSelection::Load || selection == GroupSelection::BatteryLoad;
    next.batteryBox = SelectionHasTag(selection, QStringLiteral("1"));
    next.loadBox = SelectionHasTag(selection, QStringLiteral("2"));
    commit(next);
}

void SelectionModel::ClearGroupBoxes()
{
    State next = m_state;
    next.batteryBox = false;
    next.loadBox = false;
    commit(next);
}

GroupSelection SelectionModel::CurrentGroupSelection() const
{
    return SelectionFromBoxes(m_state.batteryBox, m_state.loadBox, m_state.generalLoad);
}
