#include "app/mainwindow.h"
#include "forms/clockdialog.h"
#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"
#include "support/printers.h"
#include "support/simprocess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include <memory>

// Every programmer operation against every fault a cable or a device can make, through the
// window and the clock form on the real link and the simulator. Each cell (a test of its own,
// FaultMatrix/Cell.Holds/<Operation>_<Fault>) checks the message, that nothing of the faulty
// answer was stored, and that the same operation succeeds once the fault is gone.

namespace {

enum class Operation
{
    Read,
    Update,
    Clear,
    ClockRead,
    ClockWrite,
};

enum class Fault
{
    NoReply,
    LateReply, // past the wait, then arriving during the next request
    ShortReply,
    BadCrc,
    WrongSlave,
    Exception01,
    Exception02,
    Exception03,
    Exception04,
    NoiseBeforeReply,
    Oversize, // more than 256 bytes
    PortVanishes,
};

const Operation kOperations[] = {Operation::Read, Operation::Update, Operation::Clear,
                                 Operation::ClockRead, Operation::ClockWrite};
const Fault kFaults[] = {Fault::NoReply,          Fault::LateReply,   Fault::ShortReply,
                         Fault::BadCrc,           Fault::WrongSlave,  Fault::Exception01,
                         Fault::Exception02,      Fault::Exception03, Fault::Exception04,
                         Fault::NoiseBeforeReply, Fault::Oversize,    Fault::PortVanishes};

const char *name(Operation op)
{
    switch (op) {
    case Operation::Read:
        return "Read";
    case Operation::Update:
        return "Update";
    case Operation::Clear:
        return "Clear";
    case Operation::ClockRead:
        return "ClockRead";
    case Operation::ClockWrite:
        return "ClockWrite";
    }
    return "?";
}

const char *name(Fault fault)
{
    switch (fault) {
    case Fault::NoReply:
        return "NoReply";
    case Fault::LateReply:
        return "LateReply";
    case Fault::ShortReply:
        return "ShortReply";
    case Fault::BadCrc:
        return "BadCrc";
    case Fault::WrongSlave:
        return "WrongSlave";
    case Fault::Exception01:
        return "Exception01";
    case Fault::Exception02:
        return "Exception02";
    case Fault::Exception03:
        return "Exception03";
    case Fault::Exception04:
        return "Exception04";
    case Fault::NoiseBeforeReply:
        return "NoiseBeforeReply";
    case Fault::Oversize:
        return "Oversize";
    case Fault::PortVanishes:
        return "PortVanishes";
    }
    return "?";
}

// The request the fault hits: one whose answer carries data or confirms a write, after earlier
// steps of the operation have already changed something.
int faultedRequest(Operation op)
{
    switch (op) {
    case Operation::Read:
        return 4; // the value table
    case Operation::Update:
        return 4; // the value table
    default:
        return 1; // the only request
    }
}

// The simulator's switches for a fault on request `k`.
QStringList faultArgs(Fault fault, int k)
{
    // Later than the wait by half of it, so it lands in the next request's wait.
    const int lateMs = ProgrammerLink::ShortWaitMs * kTestWaitScale * 3 / 2;
    QStringList args = {"--fault-request", QString::number(k)};
    switch (fault) {
    case Fault::NoReply:
        return args << "--no-answer";
    case Fault::LateReply:
        return args << "--delay-ms" << QString::number(lateMs);
    case Fault::ShortReply:
        return args << "--truncate"
                    << "6";
    case Fault::BadCrc:
        return args << "--bad-crc";
    case Fault::WrongSlave:
        return args << "--reply-slave"
                    << "2";
    case Fault::Exception01:
    case Fault::Exception02:
    case Fault::Exception03:
    case Fault::Exception04:
        return args << "--exception" << QString::number(int(fault) - int(Fault::Exception01) + 1);
    case Fault::NoiseBeforeReply:
        return args << "--noise-before"
                    << "5";
    case Fault::Oversize:
        return args << "--oversize"
                    << "300";
    case Fault::PortVanishes:
        // Takes the request and goes without a word.
        return args << "--no-answer"
                    << "--close-after" << QString::number(k);
    }
    return args;
}

// What the window and the clock form show, all of it.
struct Shown
{
    QString label;
    QString selector;
    bool batteryBox;
    bool loadBox;
    QString loadCaption;
    QString programmerTime;
    friend bool operator==(const Shown &, const Shown &) = default;
};

void PrintTo(const Shown &s, std::ostream *os)
{
    *os << s.label.toStdString() << " | " << s.selector.toStdString() << " | " << s.batteryBox
        << s.loadBox << " | " << s.loadCaption.toStdString() << " | "
        << s.programmerTime.toStdString();
}

class Cell : public ::testing::TestWithParam<std::tuple<Operation, Fault>>
{
protected:
    Operation op() const { return std::get<0>(GetParam()); }
    Fault fault() const { return std::get<1>(GetParam()); }

    void SetUp() override
    {
        QFile state(statePath());
        ASSERT_TRUE(state.open(QIODevice::WriteOnly));
        state.write(fullBlockState());
        state.close();
        startSim(faultArgs(fault(), faultedRequest(op())));

        window = std::make_unique<MainWindow>(parameters, messages);
        const QString port = portPath();
        window->setPortEnumerator([port] { return QStringList{port}; });
        window->show();
        openPort();
        clock = std::make_unique<ClockDialog>(window->link(), messages, window.get());
        clock->show();
        // A hand-set time, so that a write is known to the second.
        QTest::mouseClick(namedAnyOf<QPushButton>(clock.get(), {"手动调整", "本机时间"}),
                          Qt::LeftButton);
        named<QDateEdit>(clock.get(), "日期")->setDate(QDate(2024, 2, 29));
        named<QTimeEdit>(clock.get(), "时间")->setTime(QTime(23, 59, 58));

        // A battery selection of the user's to update, which a read must not disturb either.
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            parameters.values[slot] = QString::number(2000 + slot);
        click(ui().batteryBox);
    }

    QString statePath() const { return dir.filePath(QStringLiteral("programmer.txt")); }
    QString portPath() const { return dir.filePath(QStringLiteral("programmer-port")); }
    QByteArray state() const
    {
        QFile f(statePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void startSim(QStringList args)
    {
        args << "--state" << statePath() << "--link" << portPath() << "--verbose";
        sim = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim->started()) << sim->stderrText().toStdString();
    }
    void openPort()
    {
        auto *ports = qobject_cast<QComboBox *>(ui().portList);
        ports->setCurrentIndex(ports->findText(portPath()));
        click(ui().portButton);
        ASSERT_TRUE(window->link().portOpen());
        window->link().setWaitScale(kTestWaitScale);
    }

    MainWindowControls ui() const { return MainWindowControls(window.get()); }
    static void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }
    void run()
    {
        switch (op()) {
        case Operation::Read:
            return click(ui().readButton);
        case Operation::Update:
            return click(ui().updateButton);
        case Operation::Clear:
            return click(ui().clearButton);
        case Operation::ClockRead:
            return QTest::mouseClick(named<QPushButton>(clock.get(), "读取"), Qt::LeftButton);
        case Operation::ClockWrite:
            return QTest::mouseClick(named<QPushButton>(clock.get(), "写入"), Qt::LeftButton);
        }
    }

    Shown shown() const
    {
        return {qobject_cast<QLabel *>(ui().productLabel)->text(),
                qobject_cast<QComboBox *>(ui().productSelector)->currentText(),
                qobject_cast<QCheckBox *>(ui().batteryBox)->isChecked(),
                qobject_cast<QCheckBox *>(ui().loadBox)->isChecked(),
                qobject_cast<QPushButton *>(ui().loadButton)->text(),
                named<QLineEdit>(clock.get(), "编程器时间")->text()};
    }
    QString portCaption() const { return qobject_cast<QPushButton *>(ui().portButton)->text(); }

    QTemporaryDir dir;
    ParameterSet parameters;
    MessageRecorder messages;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ClockDialog> clock;
};

bool isRead(Operation op)
{
    return op == Operation::Read || op == Operation::ClockRead;
}

TEST_P(Cell, Holds)
{
    const ParameterSet before = parameters;
    const Shown shownBefore = shown();

    run();

    // The operation's time-out message, one warning, whatever the fault.
    EXPECT_EQ(messages.texts(), QStringList{isRead(op()) ? "读取超时！" : "写入超时！"});
    EXPECT_TRUE(messages.entries.value(0).warning);

    // Nothing of the faulty answer is stored. A read keeps what its steps before the value
    // table took (name, and from the address table the boxes and the LED form) and no value.
    Shown expected = shownBefore;
    if (op() == Operation::Read) {
        expected.label = "QM-XDJ";
        expected.batteryBox = expected.loadBox = true;
        expected.loadCaption = "LED负载参数";
    }
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(parameters.values, before.values);
    if (op() == Operation::Update) {
        EXPECT_TRUE(state().contains("checksum=1234")); // no checksum closed half a block
    }

    // A device that has gone leaves the port closed; with the device back, the port opens again.
    if (fault() == Fault::PortVanishes) {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->link().portOpen(); }, 5000));
        EXPECT_EQ(portCaption(), "打开串口");
        EXPECT_TRUE(ui().portList->isEnabled());
        ASSERT_TRUE(sim->waitForExit(5000));
        startSim({});
        openPort();
    } else {
        EXPECT_TRUE(window->link().portOpen());
        EXPECT_EQ(portCaption(), "关闭串口");
    }

    // Once the fault has passed, the same operation succeeds and the answer is the device's own.
    messages.clear();
    run();
    switch (op()) {
    case Operation::Read:
        EXPECT_EQ(messages.texts(), QStringList{"读取完成！"});
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            EXPECT_EQ(parameters.values[slot], QString::number(500 + slot)) << slot;
        EXPECT_EQ(shown().selector, "");
        break;
    case Operation::Update: {
        EXPECT_EQ(messages.texts(), QStringList{"写入数据成功！"});
        QStringList words;
        for (int slot : groupWalk(GroupSelection::Battery))
            words << QStringLiteral("%1").arg(2000 + slot, 4, 16, QLatin1Char('0')).toUpper();
        EXPECT_TRUE(state().contains("count=0015"));
        EXPECT_TRUE(state().contains("values=" + words.join(' ').toLatin1()));
        EXPECT_FALSE(state().contains("checksum=1234"));
        break;
    }
    case Operation::Clear:
        EXPECT_EQ(messages.texts(), QStringList{"清除完成"});
        EXPECT_FALSE(shown().batteryBox);
        EXPECT_TRUE(state().contains("count=0000"));
        break;
    case Operation::ClockRead:
        EXPECT_EQ(messages.texts(), QStringList{"读取成功！"});
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^20\\d\\d/\\d+/\\d+   \\d+:\\d+:\\d+$"))
                        .match(shown().programmerTime)
                        .hasMatch())
            << shown().programmerTime.toStdString();
        break;
    case Operation::ClockWrite:
        EXPECT_EQ(messages.texts(), QStringList{"写入成功！"});
        EXPECT_EQ(shown().programmerTime, "2024/2/29   23:59:58");
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(FaultMatrix, Cell,
                         ::testing::Combine(::testing::ValuesIn(kOperations),
                                            ::testing::ValuesIn(kFaults)),
                         [](const ::testing::TestParamInfo<Cell::ParamType> &info) {
                             return std::string(name(std::get<0>(info.param))) + "_" +
                                    name(std::get<1>(info.param));
                         });

} // namespace
