#include "programmer/registermap.h"
#include "simwindow.h"
#include "support/referenceframes.h"

#include <QApplication>
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
    for (QWidget *id : {ui().readButton, ui().updateButton, ui().clearButton, ui().timeSyncButton})
        click(id);
    ui().portList->setCurrentIndex(-1);
    click(ui().portButton);
    EXPECT_EQ(messages.texts(), QStringList({"读取成功！", "参数值超出范围！",
                                             "未选中任何需要更新的参数！", "请选择产品类型！"})
                                    << QStringList(4, "串口不可用或未打开！") << "打开串口失败");
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
