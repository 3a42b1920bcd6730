#include "app/mainwindow.h"
#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"
#include "support/printers.h"
#include "support/referenceframes.h"
#include "support/simprocess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The image the programmer's checksum covers: name bytes in order (16, zero filled), then N,
// then address and value of each stored slot, every word low byte first.
quint16 referenceChecksum(const QByteArray &asciiName, const ParameterSet &set,
                          const QList<int> &slots_)
{
    QByteArray image = asciiName;
    if (image.size() % 2)
        image.append(' ');
    image = image.left(16).leftJustified(16, '\0');
    auto word = [&image](quint16 w) {
        image.append(char(w & 0xFF));
        image.append(char(w >> 8));
    };
    word(quint16(slots_.size()));
    for (int slot : slots_) {
        word(kSlotTable[slot].reg);
        word(quint16(set.values.at(slot).toUInt()));
    }
    return referenceCrc(image);
}

struct SelectionCase
{
    GroupSelection selection;
    bool battery;
    bool load;
    int product; // 0 QM-X uses the general load form, 2 QM-XDJ the LED one
};

const SelectionCase kSelections[] = {
    {GroupSelection::Battery, true, false, 0}, {GroupSelection::Load, false, true, 0},
    {GroupSelection::LoadLed, false, true, 2}, {GroupSelection::BatteryLoad, true, true, 0},
    {GroupSelection::All, true, true, 2},
};

class ProgrammerCommandsTest : public ::testing::Test
{
protected:
    // Starts the simulator (keeping its block in a state file) and a window with its port open.
    void start(QStringList args = {}, const QByteArray &state = {})
    {
        if (!state.isEmpty()) {
            QFile f(statePath());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(state);
        }
        args << "--state" << statePath() << "--verbose";
        sim = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim->started());
        qputenv("VELMORA_EXTRA_PORTS", sim->portPath().toLocal8Bit());
        window = std::make_unique<MainWindow>(parameters, messages);
        window->show();
        auto *ports = ui().portList;
        ports->setCurrentIndex(ports->findText(sim->portPath()));
        click(ui().portButton);
        ASSERT_TRUE(window->link().portOpen());
        window->link().setWaitScale(kTestWaitScale);
    }

    MainWindowControls ui() const { return MainWindowControls(window.get()); }
    static void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }
    void setBoxes(bool battery, bool load)
    {
        if (ui().batteryBox->isChecked() != battery)
            ui().batteryBox->click();
        if (ui().loadBox->isChecked() != load)
            ui().loadBox->click();
    }
    // As a user does it: arrow keys through the list, so the choice is a real activation.
    void pickProduct(int index)
    {
        auto *selector = ui().productSelector;
        selector->setFocus();
        if (selector->currentIndex() == index)
            QTest::keyClick(selector, index > 0 ? Qt::Key_Up : Qt::Key_Down);
        while (selector->currentIndex() < index)
            QTest::keyClick(selector, Qt::Key_Down);
        while (selector->currentIndex() > index)
            QTest::keyClick(selector, Qt::Key_Up);
    }
    QString label() { return ui().productLabel->text(); }
    QString loadCaption() { return ui().loadButton->text(); }
    static bool checked(QAbstractButton *box) { return box->isChecked(); }
    static bool enabled(QWidget *control) { return control->isEnabled(); }

    // Distinct, recognisable values in every slot.
    void fillValues(int base)
    {
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            parameters.values[slot] = QString::number(base + slot * 7);
    }
    QString statePath() const { return dir.filePath("programmer.txt"); }
    QByteArray state() const
    {
        QFile f(statePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    quint16 storedChecksum() const
    {
        for (const QByteArray &line : state().split('\n')) {
            if (line.startsWith("checksum="))
                return quint16(line.mid(9).trimmed().toUInt(nullptr, 16));
        }
        return 0;
    }
    // Requests the simulator has received so far.
    int requestsSeen() { return int(sim->stderrText().count(" RX ")); }

    QTemporaryDir dir;
    ParameterSet parameters;
    MessageRecorder messages;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(ProgrammerCommandsTest, PortButtonOpensAndClosesTheChosenPort)
{
    start();
    auto *ports = ui().portList;
    auto *button = ui().portButton;
    EXPECT_EQ(button->text(), "关闭串口");
    EXPECT_FALSE(ports->isEnabled());
    click(ui().portButton);
    EXPECT_FALSE(window->link().portOpen());
    EXPECT_EQ(button->text(), "打开串口");
    EXPECT_TRUE(ports->isEnabled());

    // Nothing chosen: the open fails and nothing changes.
    ports->setCurrentIndex(-1);
    click(ui().portButton);
    EXPECT_FALSE(window->link().portOpen());
    EXPECT_EQ(button->text(), "打开串口");
    EXPECT_EQ(messages.texts(), QStringList{"打开串口失败"});
}

TEST_F(ProgrammerCommandsTest, UpdateThenReadRestoresEverySelection)
{
    start();
    for (const SelectionCase &c : kSelections) {
        SCOPED_TRACE(slotCount(c.selection));
        messages.clear();
        parameters = ParameterSet();
        fillValues(100 * slotCount(c.selection));
        pickProduct(c.product);
        setBoxes(c.battery, c.load);
        const QString name = label();
        const ParameterSet written = parameters;
        const QList<int> stored = groupWalk(c.selection);

        click(ui().updateButton);
        EXPECT_EQ(messages.texts(), QStringList{"写入数据成功！"});
        EXPECT_EQ(storedChecksum(), referenceChecksum(name.toLatin1(), written, stored));
        EXPECT_FALSE(window->hasUnkeptChanges()); // written: closing need not ask

        // Disturb everything a read restores, then read.
        parameters.values.fill("7");
        pickProduct(c.product == 0 ? 2 : 0);
        const QString disturbedCaption = loadCaption();
        setBoxes(!c.battery, !c.load);
        EXPECT_TRUE(window->hasUnkeptChanges());
        messages.clear();
        click(ui().readButton);
        EXPECT_EQ(messages.texts(), QStringList{"读取完成！"});
        ASSERT_TRUE(messages.entries.size() == 1 && !messages.entries.first().warning);
        EXPECT_FALSE(window->hasUnkeptChanges());
        EXPECT_EQ(messages.entries.first().owner, window.get());

        EXPECT_EQ(label(), name);
        EXPECT_EQ(ui().productSelector->currentText(), "");
        EXPECT_EQ(checked(ui().batteryBox), c.battery);
        EXPECT_EQ(checked(ui().loadBox), c.load);
        EXPECT_EQ(enabled(ui().batteryButton), c.battery);
        EXPECT_EQ(enabled(ui().loadButton), c.load);
        const QString caption = c.selection == GroupSelection::Battery ? disturbedCaption
                                : c.product == 0                       ? "通用负载参数"
                                                                       : "LED负载参数";
        EXPECT_EQ(loadCaption(), caption);
        EXPECT_EQ(window->selection().generalLoad(), caption == "通用负载参数");
        for (int slot = 0; slot < 59; ++slot) {
            const bool in = stored.contains(slot);
            EXPECT_EQ(parameters.values[slot], in ? written.values[slot] : "7") << slot;
        }

        // Written straight back, the block and its checksum come out the same.
        const QByteArray before = state();
        messages.clear();
        click(ui().updateButton);
        EXPECT_EQ(messages.texts(), QStringList{"写入数据成功！"});
        EXPECT_EQ(state(), before);
    }
}

TEST_F(ProgrammerCommandsTest, ClearEmptiesTheProgrammer)
{
    start({}, fullBlockState());
    setBoxes(true, true);
    click(ui().clearButton);
    EXPECT_EQ(messages.texts(), QStringList{"清除完成"});
    EXPECT_FALSE(messages.entries.first().warning);
    EXPECT_FALSE(checked(ui().batteryBox) || checked(ui().loadBox));
    EXPECT_FALSE(enabled(ui().batteryButton) || enabled(ui().loadButton));

    setBoxes(true, false);
    const ParameterSet before = parameters;
    messages.clear();
    click(ui().readButton);
    EXPECT_EQ(messages.texts(), QStringList{"读取失败，设备无数据！"});
    EXPECT_TRUE(messages.entries.first().warning);
    EXPECT_FALSE(checked(ui().batteryBox));
    EXPECT_FALSE(enabled(ui().batteryButton));
    EXPECT_EQ(parameters.values, before.values);
    EXPECT_EQ(requestsSeen(), 3); // clear, name, count: nothing asked with the empty count

    // An update now needs a box again (and a product: the empty programmer had no name).
    EXPECT_EQ(label(), "");
    pickProduct(1);
    setBoxes(false, false);
    messages.clear();
    click(ui().updateButton);
    EXPECT_EQ(messages.texts(), QStringList{"未选中任何需要更新的参数！"});
}

TEST_F(ProgrammerCommandsTest, ReadStopsAtEachSilentStepKeepingEarlierChanges)
{
    for (int step = 1; step <= 5; ++step) {
        SCOPED_TRACE(step);
        parameters = ParameterSet();
        messages.clear();
        start({"--no-answer-from", QString::number(step)}, fullBlockState());
        click(ui().readButton);
        EXPECT_EQ(messages.texts(), QStringList{"读取超时！"});
        EXPECT_EQ(label(), step >= 2 ? "QM-XDJ" : "QM-X");
        // Boxes, load form and addresses follow the address table; values the value table.
        EXPECT_EQ(checked(ui().batteryBox), step >= 4);
        EXPECT_EQ(loadCaption(), step >= 4 ? "LED负载参数" : "通用负载参数");
        EXPECT_EQ(parameters.values[0], step >= 5 ? "500" : "1");
        EXPECT_EQ(ui().productSelector->currentText(), "QM-X");
        window.reset();
        sim.reset();
    }
}

TEST_F(ProgrammerCommandsTest, ReadTakesNothingFromInvalidReplies)
{
    // Each fault hits one reply: the read stops there as if nothing had come, and nothing is
    // decoded from the bad reply (no -1, no half table).
    const std::pair<QStringList, int> faults[] = {
        {{"--truncate", "10", "--fault-request", "1"}, 1},
        {{"--exception", "4", "--fault-request", "2"}, 2},
        {{"--bad-crc", "--fault-request", "3"}, 3},
        {{"--truncate", "60", "--fault-request", "4"}, 4},
        {{"--garbage", "9", "--fault-request", "5"}, 5},
    };
    for (const auto &[args, step] : faults) {
        SCOPED_TRACE(args.join(' ').toStdString());
        parameters = ParameterSet();
        messages.clear();
        start(args, fullBlockState());
        click(ui().readButton);
        EXPECT_EQ(messages.texts(), QStringList{"读取超时！"});
        EXPECT_EQ(label(), step >= 2 ? "QM-XDJ" : "QM-X");
        for (int slot = 0; slot < 59; ++slot)
            ASSERT_EQ(parameters.values[slot],
                      step >= 5 ? QString::number(500 + slot) : ParameterSet().values[slot]);
        window.reset();
        sim.reset();
    }
}

TEST_F(ProgrammerCommandsTest, ReadRefusesAStoredCountOutsideTheFiveCodes)
{
    start({}, fullBlockState("0017"));
    setBoxes(false, true);
    click(ui().readButton);
    EXPECT_EQ(messages.texts(), QStringList{"参数地址出错！"});
    EXPECT_EQ(label(), "QM-XDJ");
    EXPECT_FALSE(checked(ui().batteryBox));
    EXPECT_TRUE(checked(ui().loadBox));
    EXPECT_EQ(parameters.values, ParameterSet().values);
    EXPECT_EQ(requestsSeen(), 2);
}

TEST_F(ProgrammerCommandsTest, UpdateStopsAtEachSilentStepAndKeepsTheOldChecksumLast)
{
    for (int step = 1; step <= 5; ++step) {
        SCOPED_TRACE(step);
        messages.clear();
        start({"--no-answer-from", QString::number(step)}, fullBlockState());
        setBoxes(true, false);
        click(ui().updateButton);
        EXPECT_EQ(messages.texts(), QStringList{"写入超时！"});
        EXPECT_EQ(requestsSeen(), step);
        // The checksum is written last: until then the previous one stays. (A silent device
        // may still have taken the checksum itself.)
        if (step < 5) {
            EXPECT_EQ(storedChecksum(), 0x1234);
        }
        EXPECT_FALSE(window->link().longWait());
        window.reset();
        sim.reset();
    }

    // An exception reply is no acknowledgement either.
    messages.clear();
    start({"--exception", "6", "--fault-request", "2"});
    setBoxes(true, false);
    click(ui().updateButton);
    EXPECT_EQ(messages.texts(), QStringList{"写入超时！"});
    EXPECT_EQ(requestsSeen(), 2);
}

TEST_F(ProgrammerCommandsTest, UpdateSendsNothingThatCannotBeSentAsItIs)
{
    start();
    setBoxes(true, true);
    const std::pair<int, QString> cases[] = {
        {3, "65536"}, {40, "-1"}, {58, "70000"}, // group 3: only checked when LED is selected
    };
    for (const auto &[slot, value] : cases) {
        SCOPED_TRACE(slot);
        parameters = ParameterSet();
        parameters.values[slot] = value;
        messages.clear();
        pickProduct(slot == 58 ? 2 : 0);
        click(ui().updateButton);
        EXPECT_EQ(messages.texts(), QStringList{"参数值超出范围！"});
        EXPECT_EQ(requestsSeen(), 0);
    }

    // An empty value counts as 0, and 65535 is the largest word: both are sent.
    parameters = ParameterSet();
    parameters.values[3] = "";
    parameters.values[4] = "65535";
    messages.clear();
    click(ui().updateButton);
    EXPECT_EQ(messages.texts(), QStringList{"写入数据成功！"});
    EXPECT_TRUE(state().contains("values=0001 00C8 012C 0000 FFFF"));
}

TEST_F(ProgrammerCommandsTest, RefusalsBeforeAnythingIsSent)
{
    start({"--no-answer"});
    setBoxes(true, false);
    click(ui().clearButton);
    EXPECT_EQ(messages.texts(), QStringList{"写入超时！"});
    EXPECT_TRUE(checked(ui().batteryBox));
    EXPECT_TRUE(enabled(ui().batteryButton));

    messages.clear();
    window->selection().setProductName(QString());
    click(ui().updateButton);
    EXPECT_EQ(messages.texts(), QStringList{"请选择产品类型！"});

    messages.clear();
    click(ui().portButton); // close
    for (QWidget *id : {ui().readButton, ui().updateButton, ui().clearButton, ui().timeSyncButton})
        click(id);
    EXPECT_EQ(messages.texts(), QStringList(4, "串口不可用或未打开！"));
    EXPECT_EQ(requestsSeen(), 1); // the unanswered clear only
}

TEST_F(ProgrammerCommandsTest, ADeviceThatGoesLeavesThePortClosed)
{
    // Gone after the first answer of a read: its time-out, and the port is closed.
    start({"--close-after", "1"}, fullBlockState());
    click(ui().readButton);
    EXPECT_EQ(messages.texts(), QStringList{"读取超时！"});
    EXPECT_FALSE(window->link().portOpen());
    EXPECT_EQ(ui().portButton->text(), "打开串口");
    EXPECT_TRUE(enabled(ui().portList));
    messages.clear();
    click(ui().updateButton);
    EXPECT_EQ(messages.texts(), QStringList{"串口不可用或未打开！"});

    // Gone while nothing runs: the window closes the port and says so, once.
    window.reset();
    sim.reset();
    messages.clear();
    start();
    sim->stop();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->link().portOpen(); }, 5000));
    EXPECT_EQ(ui().portButton->text(), "打开串口");
    EXPECT_TRUE(enabled(ui().portList));
    QTest::qWait(100);
    click(ui().clearButton);
    EXPECT_EQ(messages.texts(), QStringList({"串口已断开！", "串口不可用或未打开！"}));
    EXPECT_TRUE(messages.entries.first().warning);
}
