#pragma once

#include "model/parameterset.h"

#include <QApplication>

// The application object: owns the parameter set for the whole run and runs the main window
// modally. Closing the main window ends the program.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    ParameterSet &parameters() { return m_parameters; }

    // Installs the language to start in, shows the main window and returns when it closes.
    int run();

private:
    ParameterSet m_parameters;
};
