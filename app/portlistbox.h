#pragma once

#include <QComboBox>
#include <QStringList>

// The main window's port list: says when its list is about to drop down, so the ports can be
// enumerated again first, and takes a new list row by row.
class PortListBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    // Makes the items equal to `entries` and chooses row `chosen` (-1: none). Rows whose entry
    // stays are kept, not recreated, so an open list keeps its highlight.
    void showEntries(const QStringList &entries, int chosen);

    void showPopup() override;

signals:
    void aboutToShowPopup();
};
