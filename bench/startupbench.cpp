// What a user waits for: the time from process start to the main window painted, beside a bare
// Qt window that does the unavoidable part (Chinese texts, Qt's Chinese translation, the serial
// port list), and the time from a click on each form's button to the form painted. Targets: the
// window within 1.2 times the bare one, every form within 50 ms.

#include "app/mainwindow.h"
#include "bench/benchsupport.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/simprocess.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

constexpr double kWindowRatioTarget = 1.2;
constexpr double kFormTargetMs = 50;

// Milliseconds from starting `program` to its "shown" line; negative when it never came.
double timeToShown(const QString &program)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, {});
    while (process.waitForReadyRead(10000)) {
        if (process.readAll().contains("shown"))
            break;
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    const bool shown = process.waitForFinished(10000) && process.exitCode() == 0;
    return shown ? ms : -1;
}

class SilentMessages : public MessageService
{
public:
    void warning(const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void info(QObject *, const QString &) override {}
};

// Milliseconds from a click on `button` to the modal form it opens painted; the form is then
// closed again.
double timeToFormPainted(QPushButton *button)
{
    QElapsedTimer timer;
    double painted = -1;
    struct Watcher : QObject
    {
        QElapsedTimer *timer;
        double *painted;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            auto *form = qobject_cast<QDialog *>(watched);
            if (event->type() == QEvent::Paint && form && form->isModal() && *painted < 0) {
                *painted = 0;
                QTimer::singleShot(0, form, [this, form] {
                    *painted = timer->nsecsElapsed() / 1e6;
                    form->done(QDialog::Rejected);
                });
            }
            return false;
        }
    } watcher;
    watcher.timer = &timer;
    watcher.painted = &painted;
    qApp->installEventFilter(&watcher);
    timer.start();
    QTest::mouseClick(button, Qt::LeftButton);
    qApp->removeEventFilter(&watcher);
    return painted;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Times the start-up and the forms' opening.");
    parser.addHelpOption();
    parser.addOption({"repetitions", "Runs of each (default 15).", "n", "15"});
    parser.process(app);
    const int repetitions = std::max(1, parser.value("repetitions").toInt());
    const QString dir = QCoreApplication::applicationDirPath();

    // Alternating, so that a busy moment of the machine falls on both.
    QList<double> program;
    QList<double> bare;
    for (int i = 0; i < repetitions; ++i) {
        program << timeToShown(dir + QStringLiteral("/velmora-startup-probe"));
        bare << timeToShown(dir + QStringLiteral("/velmora-bare-window"));
        if (program.last() < 0 || bare.last() < 0) {
            std::fprintf(stderr, "a window was never shown\n");
            return 1;
        }
    }
    const double ratio = median(program) / median(bare);
    std::printf("start-up to the window painted: %.1f ms, the bare window %.1f ms: %.2f times "
                "(target %.1f)\n",
                median(program), median(bare), ratio, kWindowRatioTarget);

    // The forms, opened from the main window as a user opens them; the clock form needs an
    // open port, the simulator's.
    SimProcess sim;
    if (!sim.started()) {
        std::fprintf(stderr, "cannot start the simulator\n");
        return 1;
    }
    ParameterSet parameters;
    SilentMessages messages;
    MainWindow window(parameters, messages);
    window.setPortEnumerator([&sim] { return QStringList{sim.portPath()}; });
    window.show();
    const MainWindowControls controls(&window);
    controls.portList->setCurrentIndex(0);
    window.togglePort();
    window.selection().setBatteryBox(true);
    window.selection().setLoadBox(true);

    struct Form
    {
        const char *name;
        QPushButton *button;
        int product; // chosen first: its load form is the one the load button opens
    } forms[] = {
        {"充放电参数配置", controls.batteryButton, 0},
        {"通用负载参数配置", controls.loadButton, 0},
        {"LED负载参数配置", controls.loadButton, 2},
        {"时间参数设置界面", controls.timeSyncButton, 0},
    };
    bool allWithin = ratio <= kWindowRatioTarget;
    for (const Form &form : forms) {
        window.onProductSelected(form.product);
        QList<double> times;
        for (int i = 0; i < repetitions; ++i)
            times << timeToFormPainted(form.button);
        std::printf("click to \"%s\" painted: %.1f ms (first %.1f ms, target %.0f)\n", form.name,
                    median(times), times.first(), kFormTargetMs);
        allWithin = allWithin && median(times) <= kFormTargetMs;
    }
    return allWithin ? 0 : 1;
}
