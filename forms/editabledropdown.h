#pragma once

#include <QComboBox>

// An editable drop-down box: a text field with a list, whose selected item (currentIndex) and
// shown text (currentText) are independent. Only a choice in the list (a click in the popup,
// the arrow keys, the wheel) selects an item and emits `activated`; the program selects with
// setCurrentIndex and sets the shown text alone with setEditText.
//
// A plain editable QComboBox also selects the item whose name matches the typed text when the
// field loses focus or Return is pressed, and emits `activated` for it, so that merely leaving
// the field would run the list's reaction. This box keeps typed text as text only.
class EditableDropDown : public QComboBox
{
    Q_OBJECT

public:
    explicit EditableDropDown(QWidget *parent = nullptr);

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
