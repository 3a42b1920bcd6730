#pragma once

#include <QString>

// Asks the user for the path of a parameter file. The window uses the platform's dialogs;
// tests hand in paths.
class FilePicker
{
public:
    virtual ~FilePicker() = default;
    // Empty when the user cancelled.
    virtual QString saveFileName() = 0;
    // An existing file, or empty when the user cancelled.
    virtual QString openFileName() = 0;
};
