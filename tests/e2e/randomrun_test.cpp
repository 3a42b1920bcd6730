#include "forms/batteryparameterdialog.h"
#include "forms/generalloaddialog.h"
#include "forms/ledloaddialog.h"
#include "model/filepicker.h"
#include "programmer/parameterfile.h"
#include "simwindow.h"

#include <QApplication>
#include <QElapsedTimer>
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

// The user, and the file dialogs that answer with the path the last action chose.
class CarelessUser : public SimWindow, public FilePicker
{
public:
    explicit CarelessUser(quint32 seed) : m_random(seed)
    {
        start();
        window->setFilePicker(this);
    }

    // One random action, then the checks. False once a check has failed.
    bool step()
    {
        using R = CarelessUser;
        const std::pair<int, void (R::*)()> weighted[] = {
            {8, &R::togglePort},         {6, &R::clickBox}, {18, &R::import},
            {24, &R::operation},         {18, &R::form},    {12, &R::typeIntoWindow},
            {14, &R::deviceComesOrGoes},
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

private:
    int below(int n) { return int(m_random.bounded(n)); }

    void deviceComesOrGoes()
    {
        // The device goes, and the window notices while idle; or a new one comes.
        if (below(3) == 0) {
            sim->stop();
            QTest::qWait(below(200));
            return;
        }
        // Now and then no fault; else one on request k, with a value from its range (none for a
        // span of 0), or, for the last two (from -1), on every request from k on.
        const std::tuple<QString, int, int> faults[] = {
            {"--no-answer", 0, 0},       {"--delay-ms", 50, 400},  {"--truncate", 0, 20},
            {"--bad-crc", 0, 0},         {"--exception", 1, 4},    {"--garbage", 0, 300},
            {"--oversize", 200, 200},    {"--reply-slave", 0, 3},  {"--noise-before", 1, 9},
            {"--no-answer-from", -1, 0}, {"--close-after", -1, 0},
        };
        const QString k = QString::number(1 + below(6));
        const auto &[option, from, span] = faults[below(int(std::size(faults)))];
        QStringList args{option};
        if (span > 0)
            args << QString::number(from + below(span));
        if (from >= 0)
            args << "--fault-request";
        startSim(below(13) < 2 ? QStringList() : args << k);
        // The program's own waits, or the tests' longer ones so that answers get through.
        m_waitScale = below(2) ? 1 : kTestWaitScale;
        window->link().setWaitScale(m_waitScale);
        // Mostly the user opens the port on the device that has come, not minding what the old
        // one's going said.
        if (below(10) < 7) {
            messages.clear();
            openPort(m_waitScale);
        }
    }

    void togglePort()
    {
        auto *ports = ui().portList;
        if (!window->link().portOpen() && ports->isEnabled())
            ports->setCurrentIndex(below(ports->count() + 1) - 1);
        click(ui().portButton);
        window->link().setWaitScale(m_waitScale);
    }

    void clickBox() { click(below(2) ? ui().batteryBox : ui().loadBox); }

    void typeIntoWindow()
    {
        // Moving the focus and lists (the product list or wherever the focus is), typing; no key
        // that presses a button (the form and clock buttons open modal forms) or opens the about
        // box.
        const Qt::Key keys[] = {Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Up,
                                Qt::Key_Down, Qt::Key_A,       Qt::Key_1};
        QWidget *focus = QApplication::focusWidget();
        if (below(2) || !focus || focus->window() != window.get())
            focus = ui().productSelector;
        QTest::keyClick(focus, keys[below(int(std::size(keys)))]);
    }

    void import()
    {
        // No file chosen, a missing one, a folder, or (mostly) one of random bytes, or what a
        // save would write now, cut anywhere or with a byte changed.
        const QString paths[] = {QString(), dir.filePath("missing.txt"), dir.path(),
                                 dir.filePath("import.txt")};
        m_path = paths[std::min(below(10), 3)];
        const SelectionModel &s = window->selection();
        QByteArray bytes =
            formatParameterFile(parameters, s.productName(), s.currentGroupSelection());
        if (const int kind = below(3); kind == 0) {
            bytes.resize(below(1200));
            for (char &b : bytes)
                b = char(below(256));
        } else if (kind == 1) {
            bytes.truncate(below(int(bytes.size()) + 1));
        } else {
            bytes[below(int(bytes.size()))] = char(below(256));
        }
        QFile file(dir.filePath("import.txt"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        click(ui().importButton);
    }

    void operation()
    {
        if (!window->link().portOpen() && below(10) < 6)
            openPort(m_waitScale);
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
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
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
            // As a keyboard types it; characters no key has (Chinese, full-width digits) come as
            // key events that carry only their text, as an input method sends them.
            for (int i = below(4); i >= 0; --i) {
                for (QChar c : pieces.at(below(int(pieces.size())))) {
                    const Qt::Key key =
                        c.unicode() < 0x7F ? QTest::asciiToKey(char(c.unicode())) : Qt::Key_unknown;
                    QTest::sendKeyEvent(QTest::Click, edit, key, QString(c), Qt::NoModifier);
                }
            }
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
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            EXPECT_TRUE(value.match(parameters.values[slot]).hasMatch())
                << slot << ": " << parameters.values[slot].toStdString();
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
    int m_waitScale = kTestWaitScale;
};

} // namespace

TEST(RandomRun, WindowFormsFilesAndAFaultySimulator)
{
    const int asked = qEnvironmentVariableIntValue("VELMORA_RANDOM_RUN_SECONDS");
    const int seconds = asked > 0 ? asked : 30;
    const quint32 start = qEnvironmentVariableIsSet("VELMORA_RANDOM_SEED")
                              ? quint32(qEnvironmentVariableIntValue("VELMORA_RANDOM_SEED"))
                              : quint32(QRandomGenerator::global()->bounded(1 << 30));
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
    CarelessUser user(start);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000LL) {
        alarm(60); // again for each action
        if (!user.step())
            break;
    }
    alarm(0);
    std::printf("RandomRun: %d actions in %lld ms\n", user.actions, timer.elapsed());
}
