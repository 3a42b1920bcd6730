#include "forms/communicationlogwindow.h"
#include "model/filepicker.h"
#include "programmer/registermap.h"
#include "simwindow.h"
#include "support/referenceframes.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The checksum over the name bytes (16, zero filled; an odd name padded with a blank), N, then
// address and value of each stored slot, every word low byte first.
quint16 referenceChecksum(QByteArray name, const ParameterSet &set, const QList<int> &slots_)
{
    if (name.size() % 2)
        name.append(' ');
    QByteArray image = name.left(16).leftJustified(16, '\0');
    QList<quint16> words{quint16(slots_.size())};
    for (int slot : slots_)
        words << kSlotTable[slot].reg << quint16(set.values.at(slot).toUInt());
    for (quint16 w : words)
        image.append(char(w & 0xFF)).append(char(w >> 8));
    return referenceCrc(image);
}

class ProgrammerCommandsTest : public ::testing::Test, public SimWindow
{
protected:
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
        while (selector->currentIndex() != index)
            QTest::keyClick(selector, selector->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }
};

} // namespace

TEST_F(ProgrammerCommandsTest, UpdateThenReadRestoresEverySelection)
{
    // The product (0 QM-X has the general load form, 2 QM-XDJ the LED one) and the caption the
    // load form has after the read: a battery block leaves it as it was (LED, disturbed).
    const std::tuple<GroupSelection, bool, bool, int, const char *> cases[] = {
        {GroupSelection::Battery, true, false, 0, "LED负载参数"},
        {GroupSelection::Load, false, true, 0, "通用负载参数"},
        {GroupSelection::LoadLed, false, true, 2, "LED负载参数"},
        {GroupSelection::BatteryLoad, true, true, 0, "通用负载参数"},
        {GroupSelection::All, true, true, 2, "LED负载参数"},
    };
    // Paced, the bytes of each answer come one by one at the line's speed: each is taken whole.
    start({"--pace"});
    for (const auto &[selection, battery, load, product, caption] : cases) {
        SCOPED_TRACE(slotCount(selection));
        messages.clear();
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            parameters.values[slot] = QString::number(100 * slotCount(selection) + slot * 7);
        pickProduct(product);
        setBoxes(battery, load);
        const QString name = ui().productLabel->text();
        const ParameterSet written = parameters;
        const QList<int> stored = groupWalk(selection);
        click(ui().updateButton);
        const QByteArray sum = state().mid(state().indexOf("checksum=") + 9, 4);
        EXPECT_EQ(sum.toUInt(nullptr, 16), referenceChecksum(name.toLatin1(), written, stored));

        // Disturb everything a read restores, then read.
        parameters.values.fill("7");
        pickProduct(product == 0 ? 2 : 0);
        setBoxes(!battery, !load);
        click(ui().readButton);
        EXPECT_EQ(shown(), (QStringList{name, "", battery ? "battery" : "", load ? "load" : "",
                                        caption, "关闭串口"}));
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            EXPECT_EQ(parameters.values[slot], stored.contains(slot) ? written.values[slot] : "7");
        EXPECT_FALSE(window->hasUnkeptChanges()); // read: closing need not ask
        EXPECT_EQ(messages.texts(), (QStringList{"写入数据成功！", "读取完成！"}));
        EXPECT_EQ(messages.entries.last().owner, window.get());
    }
}

TEST_F(ProgrammerCommandsTest, ReadOfAnEmptyProgrammerOrAnUnknownCountTakesNoValues)
{
    // Every answer comes twice in one go, as a late answer to a repeated request would land
    // right before the answer itself: the last of them is the reply.
    start({"--twice"}, fullBlockState());
    click(ui().clearButton);
    setBoxes(true, false);
    click(ui().readButton);
    EXPECT_EQ(messages.texts(), (QStringList{"清除完成", "读取失败，设备无数据！"}));
    // The reply kept is one copy of the count's answer.
    EXPECT_TRUE(checkReplyText(readCountRequest(), window->link().replyText()).valid());
    EXPECT_EQ(shown(), (QStringList{"", "QM-X", "", "", "通用负载参数", "关闭串口"}));
    EXPECT_EQ(requestsSeen(), 3); // clear, name, count: nothing asked with the empty count

    // A count outside the five codes: the name is taken, the boxes and values are not.
    start({}, fullBlockState("0017"));
    setBoxes(false, true);
    click(ui().readButton);
    EXPECT_EQ(messages.texts(), QStringList{"参数地址出错！"});
    EXPECT_EQ(shown(), (QStringList{"QM-XDJ", "QM-X", "", "load", "通用负载参数", "关闭串口"}));
    EXPECT_EQ(parameters.values, ParameterSet().values);
    EXPECT_EQ(requestsSeen(), 2);
}

TEST_F(ProgrammerCommandsTest, RefusalsBeforeAnythingIsSentAndThePortButton)
{
    start();
    // "时间同步" opens the clock form modally on the window's link; read through it, then closed.
    QTimer::singleShot(0, window.get(), [] {
        auto *form = qobject_cast<ClockDialog *>(QApplication::activeModalWidget());
        ASSERT_TRUE(form);
        click(ClockDialogControls(form).read);
        form->reject();
    });
    click(ui().timeSyncButton);

    // No 16-bit word, in slot 58, which only an update with the LED load form stores.
    setBoxes(true, true);
    pickProduct(2);
    parameters.values[58] = "70000";
    click(ui().updateButton);
    setBoxes(false, false);
    click(ui().updateButton);
    window->selection().setProductName(QString());
    click(ui().updateButton);

    // The port is the window's alone; closed by its button, it takes no command; with none
    // chosen it does not open.
    ProgrammerLink other(messages);
    EXPECT_FALSE(other.open(dir.filePath("port")));
    click(ui().portButton);
    for (QWidget *id : {ui().readButton, ui().updateButton, ui().clearButton, ui().timeSyncButton,
                        ui().compareButton})
        click(id);
    ui().portList->setCurrentIndex(-1);
    click(ui().portButton);
    EXPECT_EQ(messages.texts(), QStringList({"读取成功！", "参数值超出范围！",
                                             "未选中任何需要更新的参数！", "请选择产品类型！"})
                                    << QStringList(5, "串口不可用或未打开！") << "打开串口失败");
    EXPECT_EQ(requestsSeen(), 1); // the clock's
}

TEST_F(ProgrammerCommandsTest, LateBytesAreLostAndADeviceThatGoesWhileIdleIsReportedOnce)
{
    // The first answer, cut short, comes long after the wait, while the window is idle: it
    // never joins the next answer.
    start({"--delay-ms", "1500", "--truncate", "3", "--fault-request", "1"});
    click(ui().clearButton);
    QTest::qWait(1000);
    click(ui().clearButton);

    sim->stop();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->link().portOpen(); }, 5000));
    EXPECT_TRUE(ui().portList->isEnabled());
    QTest::qWait(100);
    click(ui().clearButton);
    EXPECT_EQ(messages.texts(),
              QStringList({"写入超时！", "清除完成", "串口已断开！", "串口不可用或未打开！"}));
    EXPECT_TRUE(messages.entries[2].warning);
}

// The rows of the log are the frames the simulator saw, each reply with its verdict, under the
// command that sent them; the window's buttons copy, save and clear them all.
TEST_F(ProgrammerCommandsTest, TheLogShowsEveryFrameTheSimulatorSawWithItsVerdict)
{
    struct Step
    {
        QStringList fault;
        QPushButton *MainWindowControls::*button;
        const char *command;
        QStringList verdicts; // one a request
    };
    const Step steps[] = {
        {{"--bad-crc", "--fault-request", "2"},
         &MainWindowControls::readButton,
         "读取编程器",
         {"正确", "CRC错误"}},
        {{"--exception", "2", "--fault-request", "1"},
         &MainWindowControls::clearButton,
         "清除编程器",
         {"异常码 02"}},
        {{"--no-answer", "--fault-request", "1"},
         &MainWindowControls::compareButton,
         "比较编程器",
         {"超时"}},
    };
    QStringList expected;
    for (const Step &step : steps) {
        if (!window)
            start(step.fault);
        else {
            startSim(step.fault);
            ASSERT_TRUE(openPort());
        }
        click(ui().*step.button);
        // The simulator's own log: "<seconds> RX|TX <hex>[  <note>]", "<seconds> -- no answer".
        // It may write a reply's line just after the reply has arrived here.
        static const QRegularExpression frame(
            R"(^ *[\d.]+ (RX|TX|--) ([0-9A-F ]*?)(  .*|no answer.*)?$)");
        QStringList seen;
        const auto simLog = [&] {
            seen = {step.command};
            qsizetype k = 0;
            for (const QString &line : QString::fromLatin1(sim->stderrText()).split(u'\n')) {
                const QRegularExpressionMatch m = frame.match(line);
                if (!m.hasMatch() || (m.captured(1) == "--" && !line.contains("no answer")))
                    continue;
                if (m.captured(1) == "RX")
                    seen << "发送\t" + m.captured(2);
                else
                    seen << "接收\t" + m.captured(2) + '\t' + step.verdicts.value(k++);
            }
            return k == step.verdicts.size();
        };
        EXPECT_TRUE(QTest::qWaitFor(simLog, 5000));
        expected += seen;
    }
    ExchangeLog &log = window->exchangeLog();
    QStringList rows;
    for (int i = 0; i < log.size(); ++i)
        rows << ExchangeLog::rowText(log.row(i)).section('\t', 1);
    EXPECT_EQ(rows, expected);

    click(ui().logButton);
    CommunicationLogWindow *logWindow = window->logWindow();
    ASSERT_TRUE(logWindow && logWindow->isVisible());
    EXPECT_EQ(logWindow->table()->model()->rowCount(), log.size());
    struct : FilePicker
    {
        QString path;
        QString saveFileName() override { return path; }
        QString openFileName() override { return path; }
    } picker;
    picker.path = dir.filePath("log");
    window->setFilePicker(&picker);
    const QString text = log.text();
    for (const char *button : {"复制", "保存…", "清空"})
        click(named<QPushButton>(logWindow, button));
    EXPECT_EQ(QApplication::clipboard()->text(), text);
    QFile saved(dir.filePath("log.txt"));
    EXPECT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), text);
    EXPECT_EQ(log.size(), 0);
}

// The comparison reads the programmer and leaves the window as it was; it names the name, a
// voltage, a time and a percentage that differ, then the groups and what only one side stores.
TEST_F(ProgrammerCommandsTest, CompareShowsWhatAnUpdateWouldChangeAndChangesNothing)
{
    start();
    setBoxes(true, true);
    pickProduct(2); // QM-XDJ: all 59 slots
    click(ui().updateButton);
    parameters.values[Slot::EqualizeVoltage] = "1480";
    parameters.values[Slot::TimerOn1Hour] = "18";
    parameters.values[Slot::TimerOn1Minute] = "30";
    parameters.values[Slot::ManualOnPercent] = "5000";
    window->selection().setProductName("QM-XDJ2"); // stored with a blank: an odd byte count
    const QStringList before = shown();
    const ParameterSet values = parameters;

    QList<QStringList> forms; // the count line, then the rows as "parameter|programmer|current"
    const auto compare = [&] {
        QTimer::singleShot(0, [&forms] {
            QWidget *form = QApplication::activeModalWidget();
            ASSERT_TRUE(form);
            QStringList lines{form->findChild<QLabel *>()->text()};
            auto *table = named<QTableWidget>(form, "与编程器比较");
            for (int r = 0; r < table->rowCount(); ++r) {
                lines << QStringList{table->item(r, 0)->text(), table->item(r, 1)->text(),
                                     table->item(r, 2)->text()}
                             .join('|');
            }
            forms << lines;
            qobject_cast<QDialog *>(form)->reject();
        });
        click(ui().compareButton);
    };
    compare();
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(parameters.values, values.values);
    setBoxes(true, false);
    compare();
    ASSERT_EQ(forms.size(), 2);
    EXPECT_EQ(forms[0],
              QStringList({"共 4 处不同", "产品名称|QM-XDJ|QM-XDJ2 ", "均衡充电电压(V)|14.60|14.80",
                           "定时开时刻1|10:00:00|18:30:00", "额定电流百分比|100 %|50 %"}));
    // 30 load and LED parameters the update would no longer store.
    EXPECT_EQ(forms[1].mid(0, 3),
              QStringList({"共 33 处不同", "产品名称|QM-XDJ|QM-XDJ2 ",
                           "参数组|充放电控制参数、LED负载参数|充放电控制参数"}));
    EXPECT_EQ(forms[1].last(), "定时2百分比|100 %|—");
    EXPECT_TRUE(messages.texts().endsWith("写入数据成功！"));
}
