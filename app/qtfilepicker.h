#pragma once

#include "model/filepicker.h"

class QWidget;

// The standard save and open dialogs for text files, modal over `parent`.
class QtFilePicker : public FilePicker
{
public:
    explicit QtFilePicker(QWidget *parent) : m_parent(parent) {}

    QString saveFileName() override;
    QString openFileName() override;

private:
    QWidget *m_parent;
};
