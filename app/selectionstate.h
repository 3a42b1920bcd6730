#pragma once

#include "app/parameterset.h"

#include <QString>

// The part of the main window that the file and programmer operations read and restore:
// the product-name label, the two group check boxes and the load form (generalLoad and the
// caption of the load group button, which always agree).
class SelectionState
{
public:
    virtual ~SelectionState() = default;

    virtual QString productName() const = 0;
    virtual void setProductName(const QString &name) = 0;

    virtual bool batteryBoxChecked() const = 0;
    virtual void setBatteryBoxChecked(bool checked) = 0;
    virtual bool loadBoxChecked() const = 0;
    virtual void setLoadBoxChecked(bool checked) = 0;

    virtual bool generalLoad() const = 0;
    // Also sets the load group button's caption to match.
    virtual void setGeneralLoad(bool general) = 0;

    // Enable each group button exactly when its check box is checked.
    virtual void ApplyGroupEnabling() = 0;
    // Uncheck both boxes and disable both group buttons.
    virtual void ClearGroupBoxes() = 0;
    // From the boxes and the load group button's caption; None when both boxes are unchecked.
    virtual GroupSelection CurrentGroupSelection() const = 0;

    // Empties the product-type selector's text after a read: the label, not the selector,
    // then names the product.
    virtual void clearProductSelectorText() = 0;
};

// Shows a stored selection (read from the programmer or a file): the boxes, their buttons and,
// unless the selection is the battery group alone, the load form. None changes nothing.
void RestoreGroupSelection(SelectionState &state, GroupSelection selection);
