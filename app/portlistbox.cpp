#include "app/portlistbox.h"

void PortListBox::showEntries(const QStringList &entries, int chosen)
{
    // After step i, rows 0 to i hold entries 0 to i. A row whose entry is not wanted at or
    // after i goes; otherwise the entry is inserted before it.
    for (int i = 0; i < entries.size(); ++i) {
        while (i < count() && itemText(i) != entries.at(i) && entries.indexOf(itemText(i), i) < 0)
            removeItem(i);
        if (i < count() && itemText(i) == entries.at(i))
            continue;
        insertItem(i, entries.at(i));
    }
    while (count() > entries.size())
        removeItem(count() - 1);
    // QComboBox chooses a row by itself when the first row arrives or the chosen one goes.
    setCurrentIndex(chosen);
}

void PortListBox::showPopup()
{
    emit aboutToShowPopup();
    QComboBox::showPopup();
}
