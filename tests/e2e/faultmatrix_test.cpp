#include "simwindow.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

// Programmer operations against the faults a cable or a device can make, through the window and
// the clock form on the real link and the simulator. Each cell (a test of its own,
// FaultMatrix/Cell.Holds/<Operation>_<Fault>_<request>) checks the message, that the operation
// kept what its requests before the fault took and nothing of the faulty answer, and that the
// same operation succeeds once the fault is gone. Every reply is judged by one check, so the
// read meets every fault, spread over its five requests, and the other operations a few.

namespace {

enum Operation
{
    Read,
    Update,
    Clear,
    ClockRead,
    ClockWrite
};
const char *const kOperationNames[] = {"Read", "Update", "Clear", "ClockRead", "ClockWrite"};

// The simulator's switches for each fault. A late reply comes half as late again as the tests'
// wait, so it lands in the next request's wait; an oversized one has more than 256 bytes; a port
// that vanishes takes the request and goes without a word.
static_assert(ProgrammerLink::ShortWaitMs * kTestWaitScale == 1000);
const char NoReply[] = "--no-answer", LateReply[] = "--delay-ms 1500",
           ShortReply[] = "--truncate 6", BadCrc[] = "--bad-crc", WrongSlave[] = "--reply-slave 2",
           Exception2[] = "--exception 2", Exception4[] = "--exception 4",
           Noise[] = "--noise-before 5", Garbage[] = "--garbage 9", Oversize[] = "--oversize 300",
           PortVanishes[] = "--no-answer --close-after";

// A cell: the operation, the fault and the request it hits.
struct CellCase
{
    Operation op;
    const char *fault;
    int request;
};
const CellCase kCells[] = {
    {Read, NoReply, 1},          {Read, LateReply, 2},
    {Read, ShortReply, 3},       {Read, BadCrc, 4},
    {Read, WrongSlave, 5},       {Read, Exception2, 1},
    {Read, Exception4, 3},       {Read, Noise, 4},
    {Read, Garbage, 2},          {Read, Oversize, 4},
    {Read, PortVanishes, 4},     {Update, NoReply, 1},
    {Update, LateReply, 4},      {Update, Exception2, 2},
    {Update, BadCrc, 5},         {Update, PortVanishes, 3},
    {Clear, NoReply, 1},         {Clear, WrongSlave, 1},
    {Clear, PortVanishes, 1},    {ClockRead, ShortReply, 1},
    {ClockRead, Oversize, 1},    {ClockWrite, NoReply, 1},
    {ClockWrite, Exception4, 1}, {ClockWrite, PortVanishes, 1},
};

class Cell : public ::testing::TestWithParam<CellCase>, public SimWindow
{
protected:
    void SetUp() override
    {
        const QString request = QString::number(GetParam().request);
        QStringList args = QString(GetParam().fault).split(u' ');
        if (vanishes())
            args << request;
        start(args << "--fault-request" << request, fullBlockState());
        clock = std::make_unique<ClockDialog>(window->link(), messages, window.get());
        clock->show();
        click(clockUi().manualAdjust); // a hand-set time, so that a write is known to the second
        clockUi().date->setDate(kWritten.date());
        clockUi().time->setTime(kWritten.time());
        // A battery selection of the user's to update, which a read must not disturb either.
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            parameters.values[slot] = QString::number(2000 + slot);
        click(ui().batteryBox);
    }

    bool vanishes() const { return GetParam().fault == PortVanishes; }
    ClockDialogControls clockUi() const { return ClockDialogControls(clock.get()); }
    void run()
    {
        QWidget *const buttons[] = {ui().readButton, ui().updateButton, ui().clearButton,
                                    clockUi().read, clockUi().write};
        click(buttons[GetParam().op]);
    }

    const QDateTime kWritten{QDate(2024, 2, 29), QTime(12, 30, 58)};
    std::unique_ptr<ClockDialog> clock;
};

TEST_P(Cell, Holds)
{
    const auto &[op, fault, request] = GetParam();
    ParameterSet kept = parameters;
    QStringList expected = shown() << clockUi().programmerTime->text();

    run();

    // The operation's time-out message, one warning, whatever the fault.
    EXPECT_EQ(messages.texts(),
              QStringList{op == Read || op == ClockRead ? "读取超时！" : "写入超时！"});
    EXPECT_TRUE(messages.entries.value(0).warning);

    // Nothing of the faulty answer is stored. A read keeps what its requests before the fault
    // took: the name, then from the address table the boxes and the LED form, then the values.
    ParameterSet device;
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
        device.values[slot] = QString::number(500 + slot);
    if (op == Read && request >= 2)
        expected[0] = "QM-XDJ";
    if (op == Read && request >= 4) {
        expected[3] = "load";
        expected[4] = "LED负载参数";
    }
    if (op == Read && request == 5)
        kept = device;
    // A device that has gone leaves the port closed.
    if (vanishes()) {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->link().portOpen(); }, 5000));
        expected[5] = "打开串口";
    }
    EXPECT_EQ(shown() << clockUi().programmerTime->text(), expected);
    EXPECT_EQ(parameters.values, kept.values);
    // The checksum goes last: no update cut short closes half a block with a new one.
    if (op == Update && request < 5) {
        EXPECT_TRUE(state().contains("checksum=1234"));
    }
    // Of an oversized answer, what came is cut at 256 bytes.
    if (fault == Oversize) {
        EXPECT_EQ(window->link().reply().size(), 256);
    }

    // Once the fault has passed (the device back, its port opened again), the same operation
    // succeeds: nothing the fault left behind gets in its way.
    if (vanishes()) {
        ASSERT_TRUE(sim->waitForExit(5000));
        startSim({});
        ASSERT_TRUE(openPort());
    }
    messages.clear();
    run();
    const char *const done[] = {"读取完成！", "写入数据成功！", "清除完成", "读取成功！",
                                "写入成功！"};
    EXPECT_EQ(messages.texts(), QStringList{done[op]});
    if (op == Read) {
        EXPECT_EQ(parameters.values, device.values);
    } else if (op == ClockWrite) {
        // Read back, the programmer's clock runs on from the time written.
        click(clockUi().read);
        const QDateTime read =
            QDateTime::fromString(clockUi().programmerTime->text(), "yyyy/M/d   H:m:s");
        EXPECT_TRUE(read >= kWritten && read < kWritten.addSecs(60));
    }
}

// Named as Read_noanswer_1, Read_delayms1500_2 and so on.
INSTANTIATE_TEST_SUITE_P(FaultMatrix, Cell, ::testing::ValuesIn(kCells), [](const auto &info) {
    const QString fault = QString(info.param.fault).remove(QRegularExpression("[^a-z0-9]"));
    return QStringLiteral("%1_%2_%3")
        .arg(kOperationNames[info.param.op], fault)
        .arg(info.param.request)
        .toStdString();
});

} // namespace
