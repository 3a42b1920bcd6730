#include "app/mainwindow.h"
#include "forms/clockdialog.h"
#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"
#include "support/printers.h"
#include "support/simprocess.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The main window with the simulator's port open, and the clock form on its link.
class ClockE2eTest : public ::testing::Test
{
protected:
    void start(const QStringList &args = {})
    {
        sim = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim->started());
        window = std::make_unique<MainWindow>(parameters, messages);
        window->setPortEnumerator([this] { return QStringList{sim->portPath()}; });
        window->show();
        qobject_cast<QComboBox *>(ui().portList)->setCurrentIndex(0);
        click(ui().portButton);
        ASSERT_TRUE(window->link().portOpen());
        window->link().setWaitScale(kTestWaitScale);
        dialog = std::make_unique<ClockDialog>(window->link(), messages, window.get());
        dialog->show();
    }
    static void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }
    ClockDialogControls clock() const { return ClockDialogControls(dialog.get()); }
    MainWindowControls ui() const { return MainWindowControls(window.get()); }
    // Sets the pickers by hand.
    void setPickers(QDate date, QTime time)
    {
        if (dialog->following())
            click(clock().manualAdjust);
        clock().date->setDate(date);
        clock().time->setTime(time);
    }
    QString field() { return clock().programmerTime->text(); }
    static QDateTime parse(const QString &text)
    {
        return QDateTime::fromString(text, QStringLiteral("yyyy/M/d   H:m:s"));
    }

    ParameterSet parameters;
    MessageRecorder messages;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ClockDialog> dialog;
};

} // namespace

TEST_F(ClockE2eTest, WrittenTimeReadsBackAndRunsOn)
{
    start();
    const QDateTime written(QDate(2016, 3, 5), QTime(14, 7, 9));
    setPickers(written.date(), written.time());
    click(clock().write);
    EXPECT_EQ(field(), "2016/3/5   14:7:9");
    EXPECT_EQ(messages.texts(), QStringList{"写入成功！"});

    // More than a second later the programmer's clock has moved on from the time written.
    QTest::qWait(1100);
    messages.clear();
    click(clock().read);
    EXPECT_EQ(messages.texts(), QStringList{"读取成功！"});
    const QDateTime read = parse(field());
    ASSERT_TRUE(read.isValid()) << field().toStdString();
    EXPECT_GT(read, written);
    EXPECT_LT(read, written.addSecs(3600));

    // The PC's time, as the technician writes it while the form follows the clock.
    click(clock().manualAdjust);
    ASSERT_TRUE(dialog->following());
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    click(clock().write);
    messages.clear();
    click(clock().read);
    const QDateTime pc = parse(field());
    EXPECT_GE(pc, before.addMSecs(-before.time().msec()));
    EXPECT_LE(pc, QDateTime::currentDateTime());
}

TEST_F(ClockE2eTest, FaultyRepliesAreNoSuccess)
{
    const std::pair<QStringList, const char *> faults[] = {
        {{"--no-answer"}, "读取超时！"},     {{"--truncate", "8"}, "读取超时！"},
        {{"--bad-crc"}, "读取超时！"},       {{"--exception", "4"}, "读取超时！"},
        {{"--garbage", "11"}, "读取超时！"}, {{"--oversize", "14"}, "读取超时！"},
        {{"--no-answer"}, "写入超时！"},     {{"--exception", "3"}, "写入超时！"},
        {{"--truncate", "6"}, "写入超时！"},
    };
    for (const auto &[args, text] : faults) {
        const bool read = QString::fromUtf8(text) == "读取超时！";
        SCOPED_TRACE((args.join(' ') + (read ? " read" : " write")).toStdString());
        messages.clear();
        start(args);
        clock().programmerTime->setText("x");
        click(read ? clock().read : clock().write);
        EXPECT_EQ(messages.texts(), QStringList{QString::fromUtf8(text)});
        EXPECT_EQ(field(), "x");
        dialog.reset();
        window.reset();
        sim.reset();
    }
}

TEST_F(ClockE2eTest, TimeSyncOpensTheFormModallyOnTheWindowsLink)
{
    start();
    dialog.reset();
    bool seen = false;
    // Runs inside the form's modal loop: reads the clock through it, then closes it.
    QTimer::singleShot(0, window.get(), [&] {
        auto *form = window->findChild<ClockDialog *>();
        if (!form)
            return;
        seen = form->isModal() && form->isVisible() &&
               form->windowTitle() == QStringLiteral("时间参数设置界面");
        QTest::mouseClick(ClockDialogControls(form).read, Qt::LeftButton);
        form->reject();
    });
    click(ui().timeSyncButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(messages.texts(), QStringList{"读取成功！"});
    EXPECT_EQ(window->findChild<ClockDialog *>(), nullptr); // destroyed when it closed
}
