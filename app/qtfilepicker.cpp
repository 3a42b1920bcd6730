#include "app/qtfilepicker.h"

#include "model/texts.h"

#include <QFileDialog>

QString QtFilePicker::saveFileName()
{
    // The save replaces an existing file without asking and adds ".txt" itself. The empty
    // caption gives the platform's own title.
    return QFileDialog::getSaveFileName(m_parent, QString(), QString(), Text::textFileFilter(),
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

QString QtFilePicker::openFileName()
{
    return QFileDialog::getOpenFileName(m_parent, Text::importDialogTitle(), QString(),
                                        Text::textFileFilter());
}
