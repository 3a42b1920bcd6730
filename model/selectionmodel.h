#pragma once

#include "model/parameterset.h"

#include <QObject>
#include <QString>

// What the main window shows of the current selection, and what saves, reads and updates work
// on: the chosen product type, the product name (the label), the two group check boxes and
// which load form the load group is edited in. The window repaints itself from this object on
// `changed`; operations read and restore it and never see a widget. A group button is enabled
// exactly while its check box is checked, so the buttons need no state of their own.
class SelectionModel : public QObject
{
    Q_OBJECT

public:
    struct State
    {
        int productType = 0;
        QString productName;
        bool batteryBox = false;
        bool loadBox = false;
        bool generalLoad = true;
        friend bool operator==(const State &, const State &) = default;
    };

    explicit SelectionModel(QObject *parent = nullptr);

    // Everything below at once, to compare with an earlier state.
    const State &state() const { return m_state; }

    // -1 when no product type is chosen (the selector shows no text, as after a read).
    int productType() const { return m_state.productType; }
    const QString &productName() const { return m_state.productName; }
    bool batteryBox() const { return m_state.batteryBox; }
    bool loadBox() const { return m_state.loadBox; }
    // true: the general load form; false: the LED load form.
    bool generalLoad() const { return m_state.generalLoad; }

    void setProductType(int index);
    void setProductName(const QString &name);
    void setBatteryBox(bool checked);
    void setLoadBox(bool checked);
    void setGeneralLoad(bool general);

    // The user chose product type `index`: its name and load form follow; the boxes and values
    // stay as they are. Out-of-range indexes change nothing.
    void chooseProduct(int index);
    // Shows a stored selection (read from the programmer or a file): the boxes and, unless the
    // selection is the battery group alone, the load form. None changes nothing.
    void restoreGroupSelection(GroupSelection selection);
    // Unchecks both boxes.
    void clearGroupBoxes();
    // From the boxes and the load form; None when both boxes are unchecked.
    GroupSelection currentGroupSelection() const;

signals:
    // Something above changed; emitted once per call that changes anything.
    void changed();

private:
    // Applies `change` to a copy and emits `changed` once if anything differs.
    template <typename Change> void update(Change change);

    State m_state;
};
