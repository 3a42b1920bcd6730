#include "forms/clockdialog.h"
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
    template <typename T> static T *get(const ClockDialog &d, int id)
    {
        return qobject_cast<T *>(d.control(id));
    }
    static QString dateText(const ClockDialog &d)
    {
        return get<QDateEdit>(d, ClockDialogId::DatePicker)->text();
    }
    static QString timeText(const ClockDialog &d)
    {
        return get<QTimeEdit>(d, ClockDialogId::TimePicker)->text();
    }
    static QString field(const ClockDialog &d)
    {
        return get<QLineEdit>(d, ClockDialogId::ProgrammerTime)->text();
    }
    static void click(const ClockDialog &d, int id)
    {
        QTest::mouseClick(get<QPushButton>(d, id), Qt::LeftButton);
    }
    // The bytes a write of `data` sends.
    static QByteArray writeFrame(const char *data)
    {
        return QByteArray::fromHex(
            ReferenceFramed(QStringLiteral("01109013000306") + QString::fromLatin1(data))
                .toLatin1());
    }
    QByteArray sent(int i) const { return QByteArray::fromHex(link.requests.at(i).toLatin1()); }
    void answerWrite()
    {
        link.append(QByteArray::fromHex(ReferenceFramed("011090130003").toLatin1()));
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

    const std::pair<int, const char *> names[] = {
        {ClockDialogId::DatePicker, "日期"},
        {ClockDialogId::TimePicker, "时间"},
        {ClockDialogId::ProgrammerTime, "编程器时间"},
        {ClockDialogId::ManualAdjustButton, "手动调整"},
        {ClockDialogId::ReadButton, "读取"},
        {ClockDialogId::WriteButton, "写入"},
    };
    for (const auto &[id, name] : names)
        EXPECT_EQ(dialog->control(id)->accessibleName(), QString::fromUtf8(name)) << id;
    QStringList labels;
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        EXPECT_EQ(label->accessibleName(), label->text());
        labels << label->text();
    }
    labels.sort();
    EXPECT_EQ(labels, QStringList({"本机时间", "编程器时间"}));
    auto *programmerTime = get<QLineEdit>(*dialog, ClockDialogId::ProgrammerTime);
    EXPECT_TRUE(programmerTime->isReadOnly());
    EXPECT_TRUE(programmerTime->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(dialog->control(1122), nullptr);
}

TEST_F(ClockDialogTest, ManualAdjustTogglesBetweenFollowingAndHandEntry)
{
    auto dialog = open();
    auto *date = get<QDateEdit>(*dialog, ClockDialogId::DatePicker);
    auto *time = get<QTimeEdit>(*dialog, ClockDialogId::TimePicker);
    auto *toggle = get<QPushButton>(*dialog, ClockDialogId::ManualAdjustButton);

    // Following: what the user sets is overwritten at the next tick.
    time->setTime(QTime(1, 2, 3));
    now = now.addSecs(61);
    dialog->OnTimer();
    EXPECT_EQ(timeText(*dialog), "14:08:10");

    click(*dialog, ClockDialogId::ManualAdjustButton);
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
    click(*dialog, ClockDialogId::WriteButton);
    EXPECT_EQ(sent(0), writeFrame("082D1E0E1F0B"));
    EXPECT_EQ(field(*dialog), "2031/11/30   14:8:45");

    // Back to following at once, not a second later.
    now = now.addSecs(5);
    click(*dialog, ClockDialogId::ManualAdjustButton);
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
    click(*dialog, ClockDialogId::WriteButton);
    ASSERT_EQ(link.requests.size(), 1);
    EXPECT_EQ(sent(0), writeFrame("070A050E1003"));
    EXPECT_EQ(timeText(*dialog), "14:07:10");
    EXPECT_EQ(field(*dialog), "2016/3/5   14:7:10");
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_EQ(messages.entries.first().text, "写入成功！");
    EXPECT_FALSE(messages.entries.first().warning);
    EXPECT_EQ(messages.entries.first().owner, dialog.get());

    messages.clear();
    link.script({ReferenceReadReply(QByteArray::fromHex("0709050E1003"))});
    click(*dialog, ClockDialogId::ReadButton);
    EXPECT_EQ(field(*dialog), "2016/3/5   14:7:9");
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_EQ(messages.entries.first().text, "读取成功！");
    EXPECT_EQ(messages.entries.first().owner, dialog.get());
}

TEST_F(ClockDialogTest, EnterPressesOnlyTheFocusedButton)
{
    auto dialog = open();
    for (int id : {ClockDialogId::DatePicker, ClockDialogId::TimePicker}) {
        dialog->control(id)->setFocus();
        QTest::keyClick(dialog->control(id), Qt::Key_Return);
    }
    EXPECT_TRUE(dialog->following());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(link.requests.isEmpty());

    link.script({ReferenceReadReply(QByteArray::fromHex("0709050E1003"))});
    dialog->control(ClockDialogId::ReadButton)->setFocus();
    QTest::keyClick(dialog->control(ClockDialogId::ReadButton), Qt::Key_Return);
    EXPECT_EQ(link.requests.size(), 1);
    EXPECT_EQ(messages.texts(), QStringList{"读取成功！"});
}
