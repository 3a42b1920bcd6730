#include "forms/editabledropdown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

EditableDropDown::EditableDropDown(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    // Typed text never becomes an item, and is never completed to one.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

void EditableDropDown::focusOutEvent(QFocusEvent *event)
{
    // The field's editingFinished is what makes QComboBox select a matching item.
    const QSignalBlocker blocker(lineEdit());
    QComboBox::focusOutEvent(event);
}

void EditableDropDown::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Same as leaving the field; the key still reaches the dialog's default button.
        const QSignalBlocker blocker(lineEdit());
        QComboBox::keyPressEvent(event);
        return;
    }
    QComboBox::keyPressEvent(event);
}
