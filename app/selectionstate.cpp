#include "app/selectionstate.h"

void RestoreGroupSelection(SelectionState &state, GroupSelection selection)
{
    if (selection == GroupSelection::None)
        return;
    // A battery-only block records no load form: generalLoad and the caption stay as they are.
    if (selection != GroupSelection::Battery)
        state.setGeneralLoad(selection == GroupSelection::Load ||
                             selection == GroupSelection::BatteryLoad);
    state.setBatteryBoxChecked(SelectionHasTag(selection, QStringLiteral("1")));
    state.setLoadBoxChecked(SelectionHasTag(selection, QStringLiteral("2")));
    state.ApplyGroupEnabling();
}
