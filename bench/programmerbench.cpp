// Times one 59-slot update followed by a read through the main window's handlers, with the real
// link against velmora-programmer-sim sending at the wire rate of 115200 baud. The fixed-wait
// design took 580 ms + 500 ms for the pair; the target is under 150 ms. Then the same pair with
// the communication log open and following every row: the target is within 1.1 times the wire
// limit, the time the pair's bytes take at 115200 baud (10 bits a byte).

#include "app/mainwindow.h"
#include "bench/benchsupport.h"
#include "forms/communicationlogwindow.h"
#include "link/exchangelog.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "support/findwidgets.h"
#include "support/simprocess.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Counts the completions; anything else is a failed run.
class CountingMessages : public MessageService
{
public:
    void warning(const QString &text) override
    {
        std::fprintf(stderr, "warning: %s\n", qPrintable(text));
        ++failures;
    }
    void info(QObject *, const QString &text) override
    {
        if (text != Text::writeDataSucceeded() && text != Text::readComplete())
            ++failures;
    }
    int failures = 0;
};

constexpr double kFixedWaitPairMs = 580 + 500;
constexpr double kTargetMs = 150;
constexpr double kLogTargetRatio = 1.1;

// The time the logged bytes take on the wire at 115200 baud, 10 bits a byte.
double wireMs(const ExchangeLog &log)
{
    qsizetype bytes = 0;
    for (int i = 0; i < log.size(); ++i)
        bytes += log.row(i).bytes.size() / 3 + (log.row(i).bytes.isEmpty() ? 0 : 1);
    return double(bytes) * 10 / 115200 * 1000;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Times a 59-slot update and read through the main window.");
    parser.addHelpOption();
    parser.addOption({"repetitions", "Update-and-read pairs (default 9).", "n", "9"});
    parser.addOption({"sim", "The simulator to start.", "path", SimProcess::executable()});
    parser.process(app);
    const int repetitions = std::max(1, parser.value("repetitions").toInt());

    QTemporaryDir dir;
    SimProcess sim({"--pace", "--state", dir.filePath("programmer.txt")}, parser.value("sim"));
    const QString port = sim.portPath();
    if (port.isEmpty()) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(parser.value("sim")));
        return 1;
    }
    qputenv("VELMORA_EXTRA_PORTS", port.toLocal8Bit());

    ParameterSet parameters;
    CountingMessages messages;
    MainWindow window(parameters, messages);
    const MainWindowControls controls(&window);
    controls.portList->setCurrentIndex(controls.portList->findText(port));
    window.togglePort();
    // All 59 slots: both groups and an LED-load product.
    controls.productSelector->setCurrentIndex(2);
    window.onProductSelected(2);
    window.selection().setBatteryBox(true);
    window.selection().setLoadBox(true);
    if (!window.link().portOpen() ||
        window.selection().currentGroupSelection() != GroupSelection::All) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(port));
        return 1;
    }

    QList<double> early;
    QList<double> fixed;
    for (int r = 0; r < repetitions; ++r) {
        for (const bool fixedWaits : {false, true}) {
            window.link().setFixedWaits(fixedWaits);
            QElapsedTimer timer;
            timer.start();
            window.onUpdateProgrammer();
            window.onReadProgrammer();
            (fixedWaits ? fixed : early).append(double(timer.nsecsElapsed()) / 1e6);
        }
    }

    // One pair logged alone gives the bytes on the wire; then the pairs with the log window open
    // and following.
    window.link().setFixedWaits(false);
    window.exchangeLog().clear();
    window.onUpdateProgrammer();
    window.onReadProgrammer();
    const double limitMs = wireMs(window.exchangeLog());
    window.onCommunicationLog();
    QApplication::processEvents();
    QList<double> logged;
    for (int r = 0; r < repetitions; ++r) {
        QElapsedTimer timer;
        timer.start();
        window.onUpdateProgrammer();
        window.onReadProgrammer();
        logged.append(double(timer.nsecsElapsed()) / 1e6);
    }
    sim.stop();

    const double earlyMs = median(early);
    const double loggedMs = median(logged);
    const double fixedMs = median(fixed);
    std::printf("59-slot update + read through the handlers, median of %d (simulator, --pace)\n",
                repetitions);
    std::printf("  early end            %8.1f ms\n", earlyMs);
    std::printf("  fixed waits measured %8.1f ms (%.1fx)\n", fixedMs, fixedMs / earlyMs);
    std::printf("  fixed-wait design    %8.1f ms (%.1fx)\n", kFixedWaitPairMs,
                kFixedWaitPairMs / earlyMs);
    std::printf("target (under %.0f ms): %s\n", kTargetMs, earlyMs < kTargetMs ? "met" : "NOT met");
    std::printf("  log open             %8.1f ms, the wire limit %.1f ms (%.2fx)\n", loggedMs,
                limitMs, loggedMs / limitMs);
    const bool logMet = loggedMs <= kLogTargetRatio * limitMs;
    std::printf("target (log open, within %.1fx the wire limit): %s\n", kLogTargetRatio,
                logMet ? "met" : "NOT met");
    if (messages.failures > 0)
        std::printf("%d operations did not complete\n", messages.failures);
    return messages.failures == 0 && earlyMs < kTargetMs && logMet ? 0 : 1;
}
