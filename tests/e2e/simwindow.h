#pragma once

#include "app/mainwindow.h"
#include "forms/clockdialog.h"
#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"
#include "support/printers.h"
#include "support/simprocess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The simulator (its block kept in a state file, its terminal behind a fixed link) and the main
// window on that port, for the window's end-to-end suites.
class SimWindow
{
public:
    // A simulator (in place of the last one, whose link it takes) with `state` as its block.
    void startSim(QStringList args, const QByteArray &state = {})
    {
        sim.reset();
        QFile file(dir.filePath("programmer.txt"));
        if (!state.isEmpty()) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(state) && file.flush());
        }
        args << "--state" << file.fileName() << "--link" << dir.filePath("port") << "--verbose";
        sim = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim->started()) << sim->stderrText().toStdString();
    }
    // A new simulator and a new window with its port open, fresh parameters and no messages.
    void start(const QStringList &args = {}, const QByteArray &state = {})
    {
        window.reset();
        messages.clear();
        parameters = ParameterSet();
        startSim(args, state);
        window = std::make_unique<MainWindow>(parameters, messages);
        window->setPortEnumerator([port = dir.filePath("port")] { return QStringList{port}; });
        window->show();
        ASSERT_TRUE(openPort());
    }
    // As the user does it: closes the port if it is open, then opens the only one listed.
    bool openPort(int waitScale = kTestWaitScale)
    {
        if (window->link().portOpen())
            click(ui().portButton);
        ui().portList->setCurrentIndex(0);
        click(ui().portButton);
        window->link().setWaitScale(waitScale);
        return window->link().portOpen();
    }

    MainWindowControls ui() const { return MainWindowControls(window.get()); }
    static void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }
    QByteArray state() const
    {
        QFile file(dir.filePath("programmer.txt"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Product label and list, the boxes ticked, the load form's caption, the port button's.
    QStringList shown() const
    {
        const MainWindowControls c = ui();
        return {c.productLabel->text(),
                c.productSelector->currentText(),
                c.batteryBox->isChecked() ? "battery" : "",
                c.loadBox->isChecked() ? "load" : "",
                c.loadButton->text(),
                c.portButton->text()};
    }
    // Requests the simulator has received so far.
    int requestsSeen() { return int(sim->stderrText().count(" RX ")); }

    QTemporaryDir dir;
    ParameterSet parameters;
    MessageRecorder messages;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<MainWindow> window;
};
