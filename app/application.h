#pragma once

#include "model/parameterset.h"

#include <QApplication>
#include <QTranslator>

// The application object: owns the parameter set for the whole run and runs the main window
// modally. Closing the main window ends the program.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    ParameterSet &parameters() { return m_parameters; }

    // Loads Qt's Simplified Chinese texts, shows the main window and returns when it closes.
    int run();

private:
    ParameterSet m_parameters;
    QTranslator m_qtTranslator;
};
