#include "app/mainwindow.h"
#include "forms/batteryparameterdialog.h"
#include "forms/clockdialog.h"
#include "forms/generalloaddialog.h"
#include "forms/ledloaddialog.h"
#include "model/filepicker.h"
#include "model/parameterset.h"
#include "programmer/parameterfile.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"
#include "support/simprocess.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

// A random run: a careless and unlucky user for a bounded time. Random clicks and typing in the
// main window and in every form, imports of random, truncated and mangled files, and programmer
// operations against a simulator that is restarted now and then with random faults, or goes
// away. After every action: the slots hold only their own registers and values a form can
// store, the window shows what the model holds, and each operation has said exactly one thing
// and returned within its waits. A watchdog aborts on a hang.
//
// VELMORA_RANDOM_RUN_SECONDS sets the duration (30 by default), VELMORA_RANDOM_SEED the random
// start (a new one each run by default; the start is printed so a run can be repeated).

namespace {

int environmentInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// Types like a keyboard would; characters QTest has no key for (Chinese, full-width digits)
// come as key events that carry only their text, as an input method sends them.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }
}

class RandomFilePicker : public FilePicker
{
public:
    QString saveFileName() override { return path; }
    QString openFileName() override { return path; }
    QString path;
};

// Aborts the process when no action has finished for `limitMs`: a hang, not a slow machine.
class Watchdog
{
public:
    explicit Watchdog(int limitMs)
        : m_thread([this, limitMs] {
              while (!m_stop.load()) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(200));
                  if (now() - m_lastProgress.load() > limitMs) {
                      std::fprintf(stderr, "RandomRun: no action finished for %d ms: a hang\n",
                                   limitMs);
                      std::abort();
                  }
              }
          })
    {
    }
    ~Watchdog()
    {
        m_stop = true;
        m_thread.join();
    }
    void progress() { m_lastProgress = now(); }

private:
    static qint64 now()
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_lastProgress{now()};
    std::thread m_thread;
};

class RandomRunner
{
public:
    explicit RandomRunner(quint32 start) : m_random(start)
    {
        m_window = std::make_unique<MainWindow>(m_parameters, m_messages);
        m_window->setFilePicker(&m_picker);
        const QString port = portPath();
        m_window->setPortEnumerator([port] { return QStringList{port}; });
        m_window->show();
        restartSimulator();
    }

    // One random action, then the checks. False once a check has failed.
    bool step()
    {
        const int choice = int(m_random.bounded(100));
        if (choice < 8)
            togglePort();
        else if (choice < 14)
            pickProduct();
        else if (choice < 20)
            click(m_random.bounded(2) ? ui().batteryBox : ui().loadBox);
        else if (choice < 26)
            save();
        else if (choice < 38)
            import();
        else if (choice < 62)
            operation();
        else if (choice < 80)
            form();
        else if (choice < 86)
            typeIntoWindow();
        else if (choice < 94)
            restartSimulator();
        else
            deviceGoes();
        ++actions;
        checkState();
        return !::testing::Test::HasFailure();
    }

    int actions = 0;
    int operations = 0;
    int completed = 0; // operations that ended with their completion message
    int formSessions = 0;
    int imports = 0;
    int simulatorStarts = 0;

private:
    MainWindowControls ui() const { return MainWindowControls(m_window.get()); }
    static void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }
    QString portPath() const { return m_dir.filePath(QStringLiteral("port")); }
    QString pick(const QStringList &choices)
    {
        return choices.at(m_random.bounded(choices.size()));
    }

    // --- simulator -------------------------------------------------------------------------

    void restartSimulator()
    {
        m_sim.reset();
        const QString k = QString::number(1 + m_random.bounded(6));
        const QList<QStringList> faults = {
            {},
            {},
            {"--no-answer", "--fault-request", k},
            {"--no-answer-from", k},
            {"--delay-ms", QString::number(50 + m_random.bounded(400)), "--fault-request", k},
            {"--truncate", QString::number(m_random.bounded(20)), "--fault-request", k},
            {"--bad-crc", "--fault-request", k},
            {"--exception", QString::number(1 + m_random.bounded(4)), "--fault-request", k},
            {"--garbage", QString::number(m_random.bounded(300)), "--fault-request", k},
            {"--oversize", QString::number(200 + m_random.bounded(200)), "--fault-request", k},
            {"--reply-slave", QString::number(m_random.bounded(3)), "--fault-request", k},
            {"--noise-before", QString::number(1 + m_random.bounded(9)), "--fault-request", k},
            {"--close-after", k},
        };
        QStringList args = faults.at(m_random.bounded(faults.size()));
        args << "--state" << m_dir.filePath(QStringLiteral("programmer.txt")) << "--link"
             << portPath();
        m_sim = std::make_unique<SimProcess>(args);
        EXPECT_TRUE(m_sim->started()) << m_sim->stderrText().toStdString();
        ++simulatorStarts;
        // The program's own waits, or the tests' longer ones so that answers get through.
        m_waitScale = m_random.bounded(2) ? 1 : kTestWaitScale;
        m_window->link().setWaitScale(m_waitScale);
        // Mostly the user opens the port on the device that has come.
        if (m_random.bounded(10) < 7)
            openPort();
    }

    void openPort()
    {
        if (m_window->link().portOpen())
            click(ui().portButton); // the old device's terminal is gone
        auto *ports = ui().portList;
        ports->setCurrentIndex(ports->findText(portPath()));
        m_messages.clear();
        click(ui().portButton);
        m_window->link().setWaitScale(m_waitScale);
    }

    void deviceGoes()
    {
        if (m_sim)
            m_sim->stop();
        // The window notices while idle; give the event loop a moment.
        QTest::qWait(int(m_random.bounded(200)));
    }

    void togglePort()
    {
        auto *ports = ui().portList;
        if (!m_window->link().portOpen() && ports->isEnabled())
            ports->setCurrentIndex(int(m_random.bounded(ports->count() + 1)) - 1);
        m_messages.clear();
        click(ui().portButton);
        EXPECT_LE(m_messages.entries.size(), 1);
        m_window->link().setWaitScale(m_waitScale);
    }

    // --- window ----------------------------------------------------------------------------

    void pickProduct()
    {
        auto *selector = ui().productSelector;
        selector->setFocus();
        for (int i = int(m_random.bounded(4)); i >= 0; --i)
            QTest::keyClick(selector, m_random.bounded(2) ? Qt::Key_Down : Qt::Key_Up);
    }

    QString randomText()
    {
        const QStringList pieces = {
            "0",     "7",  "12",  "-", "+",    ".",  "14.6", "99999", "65535",
            "65536", "-1", "abc", " ", "光伏", "\t", "1e3",  "3400",  "999999999999999999999",
            "00",    ":",  "９"};
        QString text;
        for (int i = int(m_random.bounded(4)); i >= 0; --i)
            text += pick(pieces);
        return text;
    }

    void typeIntoWindow()
    {
        // Moving the focus and lists, typing; no key that presses a button (the form and clock
        // buttons open modal forms) or opens the about box.
        const Qt::Key keys[] = {Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Up,
                                Qt::Key_Down, Qt::Key_A,       Qt::Key_1};
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : m_window.get();
        if (focus->window() != m_window.get())
            focus = m_window.get();
        QTest::keyClick(focus, keys[m_random.bounded(int(std::size(keys)))]);
    }

    // --- files -----------------------------------------------------------------------------

    void save()
    {
        const int kind = int(m_random.bounded(4));
        m_picker.path = kind == 0   ? QString()
                        : kind == 1 ? m_dir.filePath(QStringLiteral("saved"))
                                    : m_dir.filePath(QStringLiteral("saved%1.TXT").arg(kind));
        m_messages.clear();
        click(ui().saveButton);
        EXPECT_EQ(m_messages.entries.size(), m_picker.path.isEmpty() ? 0 : 1);
    }

    QByteArray randomFile()
    {
        QFile saved(m_dir.filePath(QStringLiteral("saved.txt")));
        QByteArray good = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
        if (good.isEmpty())
            good = formatParameterFile(ParameterSet(), "QM-X", GroupSelection::All);
        switch (m_random.bounded(8)) {
        case 0: { // random bytes
            QByteArray bytes(int(m_random.bounded(1200)), '\0');
            for (char &b : bytes)
                b = char(m_random.bounded(256));
            return bytes;
        }
        case 1: // cut anywhere
            return good.left(int(m_random.bounded(good.size() + 1)));
        case 2: // a byte changed
            if (!good.isEmpty())
                good[int(m_random.bounded(good.size()))] = char(m_random.bounded(256));
            return good;
        case 3: // a blank line more
            return good + "\r\n";
        case 4: // re-saved by an editor
            return "\xEF\xBB\xBF" + good;
        case 5: // LF line ends
            return good.replace("\r\n", "\n");
        case 6: // too long
            return good + QByteArray(int(m_random.bounded(1000)), '0');
        default:
            return good;
        }
    }

    void import()
    {
        ++imports;
        const int kind = int(m_random.bounded(10));
        if (kind == 0) {
            m_picker.path = QString();
        } else if (kind == 1) {
            m_picker.path = m_dir.filePath(QStringLiteral("missing.txt"));
        } else if (kind == 2) {
            m_picker.path = m_dir.path(); // a folder
        } else {
            m_picker.path = m_dir.filePath(QStringLiteral("import.txt"));
            QFile file(m_picker.path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(randomFile());
        }
        m_messages.clear();
        click(ui().importButton);
        EXPECT_LE(m_messages.entries.size(), 1);
    }

    // --- operations ------------------------------------------------------------------------

    void operation()
    {
        if (!m_window->link().portOpen() && m_random.bounded(10) < 6)
            openPort();
        ++operations;
        // Exchanges an operation makes, at most; the clock form's take one.
        const int which = int(m_random.bounded(5));
        const int exchanges = which < 2 ? 5 : 1;
        std::unique_ptr<ClockDialog> clock;
        if (which >= 3) {
            clock = std::make_unique<ClockDialog>(m_window->link(), m_messages, m_window.get());
            clock->show();
        }
        m_messages.clear();
        QElapsedTimer timer;
        timer.start();
        switch (which) {
        case 0:
            click(ui().readButton);
            break;
        case 1:
            click(ui().updateButton);
            break;
        case 2:
            click(ui().clearButton);
            break;
        case 3:
            QTest::mouseClick(named<QPushButton>(clock.get(), "读取"), Qt::LeftButton);
            break;
        default:
            QTest::mouseClick(named<QPushButton>(clock.get(), "写入"), Qt::LeftButton);
            break;
        }
        // Within its waits: each exchange waits at most the long wait, plus the time a request
        // may take to leave (500 ms and a millisecond a byte); generous slack on top for a busy
        // machine. Longer means the operation hung somewhere.
        const qint64 bound = exchanges * (ProgrammerLink::LongWaitMs * m_waitScale + 700) + 5000;
        EXPECT_LE(timer.elapsed(), bound) << "operation " << which;
        EXPECT_EQ(m_messages.entries.size(), 1) << "operation " << which;
        if (!m_messages.entries.isEmpty() && !m_messages.entries.first().warning)
            ++completed;
    }

    // --- forms -----------------------------------------------------------------------------

    void form()
    {
        ++formSessions;
        std::unique_ptr<QDialog> dialog;
        switch (m_random.bounded(4)) {
        case 0:
            dialog =
                std::make_unique<BatteryParameterDialog>(m_parameters, m_messages, m_window.get());
            break;
        case 1:
            dialog = std::make_unique<GeneralLoadDialog>(m_parameters, m_messages, m_window.get());
            break;
        case 2:
            dialog = std::make_unique<LedLoadDialog>(m_parameters, m_messages, m_window.get());
            break;
        default:
            dialog = std::make_unique<ClockDialog>(m_window->link(), m_messages, m_window.get());
            break;
        }
        dialog->show();
        for (int i = int(m_random.bounded(25)); i >= 0 && dialog->isVisible(); --i)
            formAction(dialog.get());
        m_messages.clear();
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
        QWidget *w = controls.at(m_random.bounded(controls.size()));
        // A close by "确认" may ask; any answer will do.
        m_messages.answers = {MessageService::Answer(m_random.bounded(3))};
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            if (edit->isReadOnly())
                return;
            edit->setFocus();
            if (m_random.bounded(2))
                edit->selectAll();
            typeText(edit, randomText());
        } else {
            // Lists, spin boxes and pickers by keyboard; a mouse click would open a popup.
            w->setFocus();
            const Qt::Key keys[] = {Qt::Key_Up,   Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                    Qt::Key_Home, Qt::Key_End,  Qt::Key_1,      Qt::Key_5};
            QTest::keyClick(w, keys[m_random.bounded(int(std::size(keys)))]);
        }
    }

    // --- checks ----------------------------------------------------------------------------

    void checkState()
    {
        // Every value is one a form could store.
        static const QRegularExpression value(QStringLiteral("^([+-]?[0-9]+)?$"));
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot) {
            EXPECT_TRUE(value.match(m_parameters.values[slot]).hasMatch())
                << slot << ": " << m_parameters.values[slot].toStdString();
        }

        // The window shows the model and the link.
        const SelectionModel &s = m_window->selection();
        EXPECT_EQ(ui().productLabel->text(), s.productName());
        EXPECT_EQ(ui().batteryBox->isChecked(), s.batteryBox());
        EXPECT_EQ(ui().loadBox->isChecked(), s.loadBox());
        EXPECT_EQ(ui().loadButton->text(), s.generalLoad() ? "通用负载参数" : "LED负载参数");
        const bool open = m_window->link().portOpen();
        EXPECT_EQ(ui().portButton->text(), open ? "关闭串口" : "打开串口");
        if (open) {
            EXPECT_FALSE(ui().portList->isEnabled());
        }
        // No key closes the window.
        EXPECT_TRUE(m_window->isVisible());
    }

    QRandomGenerator m_random;
    QTemporaryDir m_dir;
    ParameterSet m_parameters;
    MessageRecorder m_messages;
    RandomFilePicker m_picker;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<SimProcess> m_sim;
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

    // No single action may take this long: the longest operation waits well under it.
    Watchdog watchdog(60'000);
    RandomRunner runner(start);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000LL) {
        if (!runner.step())
            break;
        watchdog.progress();
    }
    std::printf("RandomRun: %d actions (%d programmer operations, %d of them completed, %d form "
                "sessions, %d imports, %d simulator starts) in %lld ms\n",
                runner.actions, runner.operations, runner.completed, runner.formSessions,
                runner.imports, runner.simulatorStarts, timer.elapsed());
    EXPECT_GT(runner.actions, 0);
}
