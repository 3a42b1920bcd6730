#include "simwindow.h"

#include <gtest/gtest.h>

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

// The simulator's switches for each fault; the cell adds the request it hits.
const std::pair<const char *, QStringList> kFaults[] = {
    {"NoReply", {"--no-answer"}},
    // Later than the wait by half of it, so it lands in the next request's wait.
    {"LateReply",
     {"--delay-ms", QString::number(ProgrammerLink::ShortWaitMs *kTestWaitScale * 3 / 2)}},
    {"ShortReply", {"--truncate", "6"}},
    {"BadCrc", {"--bad-crc"}},
    {"WrongSlave", {"--reply-slave", "2"}},
    {"Exception02", {"--exception", "2"}},
    {"Exception04", {"--exception", "4"}},
    {"NoiseBeforeReply", {"--noise-before", "5"}},
    {"Garbage", {"--garbage", "9"}},
    {"Oversize", {"--oversize", "300"}},                // more than 256 bytes
    {"PortVanishes", {"--no-answer", "--close-after"}}, // takes the request, goes without a word
};
const int kPortVanishes = 10;

struct CellCase
{
    Operation op;
    int fault; // in kFaults
    int request;
};

const CellCase kCells[] = {
    {Read, 0, 1},      {Read, 1, 2},       {Read, 2, 3},       {Read, 3, 4},
    {Read, 4, 5},      {Read, 5, 1},       {Read, 6, 3},       {Read, 7, 4},
    {Read, 8, 2},      {Read, 9, 4},       {Read, 10, 4},      {Update, 0, 1},
    {Update, 1, 4},    {Update, 5, 2},     {Update, 3, 5},     {Update, 10, 3},
    {Clear, 0, 1},     {Clear, 4, 1},      {Clear, 10, 1},     {ClockRead, 2, 1},
    {ClockRead, 9, 1}, {ClockWrite, 0, 1}, {ClockWrite, 6, 1}, {ClockWrite, 10, 1},
};

class Cell : public ::testing::TestWithParam<CellCase>, public SimWindow
{
protected:
    void SetUp() override
    {
        const QString request = QString::number(GetParam().request);
        QStringList args = kFaults[GetParam().fault].second;
        if (GetParam().fault == kPortVanishes)
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

    ClockDialogControls clockUi() const { return ClockDialogControls(clock.get()); }
    void run()
    {
        QWidget *const buttons[] = {ui().readButton, ui().updateButton, ui().clearButton,
                                    clockUi().read, clockUi().write};
        click(buttons[GetParam().op]);
    }
    QDateTime clockShown() const
    {
        return QDateTime::fromString(clockUi().programmerTime->text(), "yyyy/M/d   H:m:s");
    }

    const QDateTime kWritten{QDate(2024, 2, 29), QTime(12, 30, 58)};
    std::unique_ptr<ClockDialog> clock;
};

TEST_P(Cell, Holds)
{
    const auto [op, fault, request] = GetParam();
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
    if (fault == kPortVanishes) {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->link().portOpen(); }, 5000));
        expected[5] = "打开串口";
    }
    EXPECT_EQ(shown() << clockUi().programmerTime->text(), expected);
    EXPECT_EQ(parameters.values, kept.values);
    // The checksum goes last: no update cut short closes half a block with a new one.
    if (op == Update && request < 5) {
        EXPECT_TRUE(state().contains("checksum=1234"));
    }

    // Once the fault has passed (the device back, its port opened again), the same operation
    // succeeds and the answer is the device's own.
    if (fault == kPortVanishes) {
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
        EXPECT_EQ(ui().productSelector->currentText(), "");
    } else if (op == Update) {
        QStringList words;
        for (int slot : groupWalk(GroupSelection::Battery))
            words << QString::number(2000 + slot, 16).toUpper().rightJustified(4, '0');
        EXPECT_TRUE(state().contains("count=0015"));
        EXPECT_TRUE(state().contains("values=" + words.join(' ').toLatin1()));
        EXPECT_FALSE(state().contains("checksum=1234"));
    } else if (op == Clear) {
        EXPECT_FALSE(ui().batteryBox->isChecked());
        EXPECT_TRUE(state().contains("count=0000"));
    } else if (op == ClockRead) {
        EXPECT_TRUE(clockShown().isValid()) << clockUi().programmerTime->text().toStdString();
    } else {
        // Written, then read back: the programmer's clock runs on from the time written.
        EXPECT_EQ(clockShown(), kWritten);
        click(clockUi().read);
        EXPECT_GE(clockShown(), kWritten);
        EXPECT_LT(clockShown(), kWritten.addSecs(60));
    }
}

INSTANTIATE_TEST_SUITE_P(FaultMatrix, Cell, ::testing::ValuesIn(kCells),
                         [](const ::testing::TestParamInfo<CellCase> &info) {
                             return std::string(kOperationNames[info.param.op]) + "_" +
                                    kFaults[info.param.fault].first + "_" +
                                    std::to_string(info.param.request);
                         });

} // namespace
