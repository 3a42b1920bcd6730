#include "forms/clockdialog.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"
#include "support/printers.h"
#include "support/referenceframes.h"
#include "support/scriptedexchange.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace {

class ClockDialogTest : public ::testing::Test
{
protected:
    // The PC clock as the dialog sees it; tests move it by hand.
    QDateTime now{QDate(2016, 3, 5), QTime(14, 7, 9)};

    std::unique_ptr<ClockDialog> open()
    {
        auto dialog =
            std::make_unique<ClockDialog>(link, messages, nullptr, [this] { return now; });
        dialog->show();
        return dialog;
    }
    static ClockDialogControls ui(const ClockDialog &d) { return ClockDialogControls(&d); }
    static QString dateText(const ClockDialog &d) { return ui(d).date->text(); }
    static QString timeText(const ClockDialog &d) { return ui(d).time->text(); }
    static QString field(const ClockDialog &d) { return ui(d).programmerTime->text(); }
    static void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    // The bytes a write of `data` sends.
    static QByteArray writeFrame(const char *data)
    {
        return QByteArray::fromHex(
            referenceFramed(QStringLiteral("01109013000306") + QString::fromLatin1(data))
                .toLatin1());
    }
    QByteArray sent(int i) const { return QByteArray::fromHex(link.requests.at(i).toLatin1()); }
    void answerWrite()
    {
        link.append(QByteArray::fromHex(referenceFramed("011090130003").toLatin1()));
    }

    ScriptedExchange link;
    MessageRecorder messages;
};

} // namespace

TEST_F(ClockDialogTest, OpensFollowingThePcClockWithFixedFormatsAndNames)
{
    // The pickers' formats do not depend on the locale (no native digits, no AM/PM).
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    auto dialog = open();
    QLocale::setDefault(QLocale::system());

    EXPECT_EQ(dialog->windowTitle(), "时间参数设置界面");
    EXPECT_EQ(dateText(*dialog), "2016-03-05");
    EXPECT_EQ(timeText(*dialog), "14:07:09");
    EXPECT_TRUE(dialog->following());
    EXPECT_TRUE(dialog->tickTimer().isActive());
    EXPECT_EQ(dialog->tickTimer().interval(), 1000);

    // Every control is found by its accessible name.
    ui(*dialog);
    QStringList labels;
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        EXPECT_EQ(label->accessibleName(), label->text());
        labels << label->text();
    }
    labels.sort();
    EXPECT_EQ(labels, QStringList({"本机时间", "编程器时间"}));
    auto *programmerTime = ui(*dialog).programmerTime;
    EXPECT_TRUE(programmerTime->isReadOnly());
    EXPECT_TRUE(programmerTime->alignment() & Qt::AlignHCenter);
}

TEST_F(ClockDialogTest, ManualAdjustTogglesBetweenFollowingAndHandEntry)
{
    auto dialog = open();
    auto *date = ui(*dialog).date;
    auto *time = ui(*dialog).time;
    auto *toggle = ui(*dialog).manualAdjust;

    // Following: what the user sets is overwritten at the next tick.
    time->setTime(QTime(1, 2, 3));
    now = now.addSecs(61);
    dialog->onTimer();
    EXPECT_EQ(timeText(*dialog), "14:08:10");

    click(ui(*dialog).manualAdjust);
    EXPECT_FALSE(dialog->following());
    EXPECT_FALSE(dialog->tickTimer().isActive());
    EXPECT_EQ(toggle->text(), "本机时间");
    EXPECT_EQ(toggle->accessibleName(), "本机时间");
    EXPECT_EQ(timeText(*dialog), "14:08:10"); // keeps the time last shown

    // By hand, with the keyboard, seconds included; that is what is written.
    date->setDate(QDate(2031, 11, 30));
    time->setFocus();
    time->setSelectedSection(QDateTimeEdit::SecondSection);
    QTest::keyClicks(time, "45");
    EXPECT_EQ(timeText(*dialog), "14:08:45");
    answerWrite();
    click(ui(*dialog).write);
    EXPECT_EQ(sent(0), writeFrame("082D1E0E1F0B"));
    EXPECT_EQ(field(*dialog), "2031/11/30   14:8:45");

    // Back to following at once, not a second later.
    now = now.addSecs(5);
    click(ui(*dialog).manualAdjust);
    EXPECT_TRUE(dialog->following());
    EXPECT_TRUE(dialog->tickTimer().isActive());
    EXPECT_EQ(toggle->text(), "手动调整");
    EXPECT_EQ(toggle->accessibleName(), "手动调整");
    EXPECT_EQ(dateText(*dialog), "2016-03-05");
    EXPECT_EQ(timeText(*dialog), "14:08:15");
}

TEST_F(ClockDialogTest, WriteAndReadShowTheTimeAndReportToTheForm)
{
    auto dialog = open();
    // Following: the time written is the PC's time at the click, which the pickers then show.
    now = now.addSecs(1);
    answerWrite();
    click(ui(*dialog).write);
    ASSERT_EQ(link.requests.size(), 1);
    EXPECT_EQ(sent(0), writeFrame("070A050E1003"));
    EXPECT_EQ(timeText(*dialog), "14:07:10");
    EXPECT_EQ(field(*dialog), "2016/3/5   14:7:10");
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_EQ(messages.entries.first().text, "写入成功！");
    EXPECT_FALSE(messages.entries.first().warning);
    EXPECT_EQ(messages.entries.first().owner, dialog.get());

    messages.clear();
    link.script({referenceReadReply(QByteArray::fromHex("0709050E1003"))});
    click(ui(*dialog).read);
    EXPECT_EQ(field(*dialog), "2016/3/5   14:7:9");
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_EQ(messages.entries.first().text, "读取成功！");
    EXPECT_EQ(messages.entries.first().owner, dialog.get());
}

TEST_F(ClockDialogTest, EnterPressesOnlyTheFocusedButton)
{
    auto dialog = open();
    for (QWidget *picker : std::initializer_list<QWidget *>{ui(*dialog).date, ui(*dialog).time}) {
        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_Return);
    }
    EXPECT_TRUE(dialog->following());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(link.requests.isEmpty());

    link.script({referenceReadReply(QByteArray::fromHex("0709050E1003"))});
    ui(*dialog).read->setFocus();
    QTest::keyClick(ui(*dialog).read, Qt::Key_Return);
    EXPECT_EQ(link.requests.size(), 1);
    EXPECT_EQ(messages.texts(), QStringList{"读取成功！"});
}
