#include "forms/batteryparameterdialog.h"
#include "forms/generalloaddialog.h"
#include "forms/ledloaddialog.h"
#include "model/filepicker.h"
#include "programmer/parameterfile.h"
#include "simwindow.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>

// A random run: a careless and unlucky user for a bounded time. Random clicks and typing in the
// main window and in every form, imports of random, truncated and mangled files, and programmer
// operations against a simulator that is restarted now and then with random faults, or goes
// away. After every action: the slots hold only values a form can store, the window shows what
// the model holds, and each operation has said exactly one thing and returned within its waits.
// A watchdog aborts on a hang.
//
// VELMORA_RANDOM_RUN_SECONDS sets the duration (30 by default), VELMORA_RANDOM_SEED the random
// start (a new one each run by default; the start is printed so a run can be repeated).

namespace {

// A positive number from the environment, else `fallback`.
int environmentInt(const char *name, int fallback)
{
    const int value = qEnvironmentVariableIntValue(name);
    return value > 0 ? value : fallback;
}

// Types like a keyboard would; characters QTest has no key for (Chinese, full-width digits)
// come as key events that carry only their text, as an input method sends them.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            QTest::keyClick(widget, char(c.unicode()));
            continue;
        }
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &event);
        }
    }
}

// The user, and the file dialogs that answer with the path the last action chose.
class RandomRunner : public SimWindow, public FilePicker
{
public:
    explicit RandomRunner(quint32 start) : m_random(start)
    {
        window = std::make_unique<MainWindow>(parameters, messages);
        window->setFilePicker(this);
        window->setPortEnumerator([port = dir.filePath("port")] { return QStringList{port}; });
        window->show();
        restartSimulator();
    }

    // One random action, then the checks. False once a check has failed.
    bool step()
    {
        using R = RandomRunner;
        const std::pair<int, void (R::*)()> weighted[] = {
            {8, &R::togglePort}, {6, &R::pickProduct},    {6, &R::clickBox},
            {6, &R::save},       {12, &R::import},        {24, &R::operation},
            {18, &R::form},      {6, &R::typeIntoWindow}, {8, &R::restartSimulator},
            {6, &R::deviceGoes},
        };
        int choice = below(100);
        messages.clear();
        for (const auto &[weight, action] : weighted) {
            if ((choice -= weight) < 0) {
                (this->*action)();
                break;
            }
        }
        ++actions;
        // No action says more than one thing.
        EXPECT_LE(messages.entries.size(), 1);
        checkState();
        return !::testing::Test::HasFailure();
    }

    int actions = 0;
    int operations = 0;
    int completed = 0; // operations that ended with their completion message

private:
    int below(int n) { return int(m_random.bounded(n)); }

    void restartSimulator()
    {
        // Now and then no fault; else one on request k, with a value from its range (none for a
        // span of 0), or, for the last two, on every request from k on.
        const std::tuple<QString, int, int> faults[] = {
            {"--no-answer", 0, 0},       {"--delay-ms", 50, 400},  {"--truncate", 0, 20},
            {"--bad-crc", 0, 0},         {"--exception", 1, 4},    {"--garbage", 0, 300},
            {"--oversize", 200, 200},    {"--reply-slave", 0, 3},  {"--noise-before", 1, 9},
            {"--no-answer-from", -1, 0}, {"--close-after", -1, 0},
        };
        const QString k = QString::number(1 + below(6));
        const auto &[option, from, span] = faults[below(int(std::size(faults)))];
        QStringList args = {option, k};
        if (from >= 0) {
            args = QStringList{option};
            if (span > 0)
                args << QString::number(from + below(span));
            args << "--fault-request" << k;
        }
        startSim(below(13) < 2 ? QStringList() : args);
        // The program's own waits, or the tests' longer ones so that answers get through.
        m_waitScale = below(2) ? 1 : kTestWaitScale;
        window->link().setWaitScale(m_waitScale);
        // Mostly the user opens the port on the device that has come.
        if (below(10) < 7)
            openAgain();
    }
    void openAgain()
    {
        messages.clear();
        openPort(m_waitScale);
    }

    void deviceGoes()
    {
        sim->stop();
        QTest::qWait(below(200)); // the window notices while idle
    }

    void togglePort()
    {
        auto *ports = ui().portList;
        if (!window->link().portOpen() && ports->isEnabled())
            ports->setCurrentIndex(below(ports->count() + 1) - 1);
        click(ui().portButton);
        window->link().setWaitScale(m_waitScale);
    }

    void pickProduct()
    {
        ui().productSelector->setFocus();
        for (int i = below(4); i >= 0; --i)
            QTest::keyClick(ui().productSelector, below(2) ? Qt::Key_Down : Qt::Key_Up);
    }

    void clickBox() { click(below(2) ? ui().batteryBox : ui().loadBox); }

    void typeIntoWindow()
    {
        // Moving the focus and lists, typing; no key that presses a button (the form and clock
        // buttons open modal forms) or opens the about box.
        const Qt::Key keys[] = {Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Up,
                                Qt::Key_Down, Qt::Key_A,       Qt::Key_1};
        QWidget *focus = QApplication::focusWidget();
        if (!focus || focus->window() != window.get())
            focus = window.get();
        QTest::keyClick(focus, keys[below(int(std::size(keys)))]);
    }

    void save()
    {
        const int kind = below(4);
        m_path = kind == 0   ? QString()
                 : kind == 1 ? dir.filePath("saved")
                             : dir.filePath(QStringLiteral("saved%1.TXT").arg(kind));
        click(ui().saveButton);
        EXPECT_EQ(messages.entries.size(), m_path.isEmpty() ? 0 : 1);
    }

    // Random bytes, or the last saved file (or a fresh one) cut anywhere, a byte changed, a
    // blank line more, re-saved by an editor (a BOM), with LF line ends, too long, or as it is.
    QByteArray randomFile()
    {
        QFile saved(dir.filePath("saved.txt"));
        QByteArray good = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
        if (good.isEmpty())
            good = formatParameterFile(ParameterSet(), "QM-X", GroupSelection::All);
        QByteArray bytes(below(1200), '\0');
        for (char &b : bytes)
            b = char(below(256));
        QByteArray changed = good;
        changed[below(int(good.size()))] = char(below(256));
        const QByteArray files[] = {bytes,
                                    good.left(below(int(good.size()) + 1)),
                                    changed,
                                    good + "\r\n",
                                    "\xEF\xBB\xBF" + good,
                                    QByteArray(good).replace("\r\n", "\n"),
                                    good + QByteArray(below(1000), '0'),
                                    good};
        return files[below(int(std::size(files)))];
    }

    void import()
    {
        // No file chosen, a missing one, a folder, or (mostly) a file of random content.
        const QString paths[] = {QString(), dir.filePath("missing.txt"), dir.path(),
                                 dir.filePath("import.txt")};
        m_path = paths[std::min(below(10), 3)];
        if (m_path == paths[3]) {
            QFile file(m_path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(randomFile());
        }
        click(ui().importButton);
    }

    void operation()
    {
        if (!window->link().portOpen() && below(10) < 6)
            openAgain();
        ++operations;
        ClockDialog clock(window->link(), messages, window.get());
        clock.show();
        const ClockDialogControls controls(&clock);
        QWidget *const buttons[] = {ui().readButton, ui().updateButton, ui().clearButton,
                                    controls.read, controls.write};
        const int which = below(5);
        messages.clear();
        QElapsedTimer timer;
        timer.start();
        click(buttons[which]);
        // Within its waits: each exchange (five for a read or an update, else one) waits at most
        // the long wait, plus the time a request may take to leave (500 ms and a millisecond a
        // byte); generous slack on top for a busy machine. Longer means it hung somewhere.
        const qint64 bound =
            (which < 2 ? 5 : 1) * (ProgrammerLink::LongWaitMs * m_waitScale + 700) + 5000;
        EXPECT_LE(timer.elapsed(), bound) << "operation " << which;
        EXPECT_EQ(messages.entries.size(), 1) << "operation " << which;
        if (!messages.entries.isEmpty() && !messages.entries.first().warning)
            ++completed;
    }

    void form()
    {
        const std::function<QDialog *()> forms[] = {
            [this] { return new BatteryParameterDialog(parameters, messages, window.get()); },
            [this] { return new GeneralLoadDialog(parameters, messages, window.get()); },
            [this] { return new LedLoadDialog(parameters, messages, window.get()); },
            [this] { return new ClockDialog(window->link(), messages, window.get()); },
        };
        const std::unique_ptr<QDialog> dialog(forms[below(4)]());
        dialog->show();
        for (int i = below(25); i >= 0 && dialog->isVisible(); --i)
            formAction(dialog.get());
        messages.clear();
    }

    void formAction(QDialog *dialog)
    {
        QList<QWidget *> controls;
        for (QWidget *w : dialog->findChildren<QWidget *>()) {
            if (w->isVisible() && w->isEnabled() &&
                (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
                 qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)))
                controls.append(w);
        }
        if (controls.isEmpty())
            return;
        QWidget *w = controls.at(below(int(controls.size())));
        // A close by "确认" may ask; any answer will do.
        messages.answers = {MessageService::Answer(below(3))};
        auto *edit = qobject_cast<QLineEdit *>(w);
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            click(button);
        } else if (edit && !edit->isReadOnly()) {
            static const QStringList pieces =
                QStringLiteral("0|7|12|-|+|.|14.6|99999|65535|65536|-1|abc| |光伏|\t|1e3|3400|"
                               "999999999999999999999|00|:|９")
                    .split(u'|');
            edit->setFocus();
            if (below(2))
                edit->selectAll();
            for (int i = below(4); i >= 0; --i)
                typeText(edit, pieces.at(below(int(pieces.size()))));
        } else if (!edit) {
            // Lists, spin boxes and pickers by keyboard; a mouse click would open a popup.
            const Qt::Key keys[] = {Qt::Key_Up,   Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                    Qt::Key_Home, Qt::Key_End,  Qt::Key_1,      Qt::Key_5};
            w->setFocus();
            QTest::keyClick(w, keys[below(int(std::size(keys)))]);
        }
    }

    void checkState()
    {
        // Every value is one a form could store.
        static const QRegularExpression value(QStringLiteral("^([+-]?[0-9]+)?$"));
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot) {
            EXPECT_TRUE(value.match(parameters.values[slot]).hasMatch())
                << slot << ": " << parameters.values[slot].toStdString();
        }
        // The window shows the model and the link; an open port's list is locked; no key
        // closes the window.
        const SelectionModel &s = window->selection();
        const bool open = window->link().portOpen();
        EXPECT_EQ(shown(), (QStringList{s.productName(), ui().productSelector->currentText(),
                                        s.batteryBox() ? "battery" : "", s.loadBox() ? "load" : "",
                                        s.generalLoad() ? "通用负载参数" : "LED负载参数",
                                        open ? "关闭串口" : "打开串口"}));
        EXPECT_FALSE(open && ui().portList->isEnabled());
        EXPECT_TRUE(window->isVisible());
    }

    QString saveFileName() override { return m_path; }
    QString openFileName() override { return m_path; }

    QRandomGenerator m_random;
    QString m_path;
    int m_waitScale = 1;
};

} // namespace

TEST(RandomRun, WindowFormsFilesAndAFaultySimulator)
{
    const int seconds = environmentInt("VELMORA_RANDOM_RUN_SECONDS", 30);
    const quint32 start = quint32(
        environmentInt("VELMORA_RANDOM_SEED", int(QRandomGenerator::global()->bounded(1 << 30))));
    // Flushed at once: a run that a sanitizer ends can still be repeated.
    std::printf("RandomRun: start %u (repeat with VELMORA_RANDOM_SEED=%u), %d s\n", start, start,
                seconds);
    std::fflush(stdout);

    // The watchdog: no single action may take a minute (the longest operation waits well under
    // it); if one does, a hang and not a slow machine, the alarm aborts the run.
    std::signal(SIGALRM, [](int) {
        const char text[] = "RandomRun: no action finished for 60 s: a hang\n";
        (void)!write(STDERR_FILENO, text, sizeof text - 1);
        std::abort();
    });
    RandomRunner runner(start);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000LL) {
        alarm(60); // again for each action
        if (!runner.step())
            break;
    }
    alarm(0);
    std::printf("RandomRun: %d actions, %d programmer operations, %d of them completed, in %lld "
                "ms\n",
                runner.actions, runner.operations, runner.completed, timer.elapsed());
    EXPECT_GT(runner.actions, 0);
}
