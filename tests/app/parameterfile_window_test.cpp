#include "app/controlids.h"
#include "app/filepicker.h"
#include "app/mainwindow.h"
#include "app/parameterset.h"
#include "support/messagerecorder.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FakeFilePicker : public FilePicker
{
public:
    QString saveFileName() override { return path; }
    QString openFileName() override { return path; }
    QString path;
};

class ParameterFileWindowTest : public ::testing::Test
{
protected:
    ParameterFileWindowTest() : window(parameters, messages)
    {
        window.setFilePicker(&picker);
        window.show();
    }

    QWidget *control(int id) { return window.control(id); }
    bool checked(int id) { return qobject_cast<QCheckBox *>(control(id))->isChecked(); }
    void click(int id, const QString &path)
    {
        picker.path = path;
        QTest::mouseClick(qobject_cast<QPushButton *>(control(id)), Qt::LeftButton);
    }

    QTemporaryDir dir;
    ParameterSet parameters;
    MessageRecorder messages;
    FakeFilePicker picker;
    MainWindow window;
};

} // namespace

TEST_F(ParameterFileWindowTest, EachSelectionSurvivesSaveAndImport)
{
    struct Case
    {
        bool battery, load, general;
        int lines;
        QString name;
    };
    const Case cases[] = {
        {true, false, false, 21, "光伏控制器QM-X"},  {false, true, true, 22, "QM-XD"},
        {false, true, false, 38, "QM-XDJ"},          {true, true, true, 43, "ZR-XW"},
        {true, true, false, 59, "Korvel-MDJU-2024"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines);
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            parameters.values[slot] = QString::number(10000 + slot * 997 + c.lines);
        window.setProductName(c.name);
        window.setGeneralLoad(c.general);
        window.setBatteryBoxChecked(c.battery);
        window.setLoadBoxChecked(c.load);
        const ParameterSet saved = parameters;
        const QString file = dir.filePath(QString::number(c.lines));
        messages.clear();
        click(MainWindowId::SaveButton, file);
        ASSERT_EQ(messages.entries.size(), 1);
        EXPECT_FALSE(messages.entries[0].warning);
        EXPECT_EQ(messages.entries[0].owner, &window);
        EXPECT_EQ(messages.entries[0].text, "文件保存成功");
        if (c.lines == 59) {
            EXPECT_EQ(QFile(file + ".txt").size(), 726);
        }

        // Change everything the file restores, then import it.
        parameters.addresses.fill("0000");
        parameters.values.fill("7");
        window.ClearGroupBoxes();
        window.setGeneralLoad(!c.general);
        window.setProductName("other");
        click(MainWindowId::ImportButton, file + ".txt");

        EXPECT_EQ(messages.entries.size(), 1);
        EXPECT_EQ(qobject_cast<QLabel *>(control(MainWindowId::ProductNameLabel))->text(), c.name);
        EXPECT_EQ(checked(MainWindowId::BatteryGroupBox), c.battery);
        EXPECT_EQ(checked(MainWindowId::LoadGroupBox), c.load);
        EXPECT_EQ(control(MainWindowId::BatteryGroupButton)->isEnabled(), c.battery);
        EXPECT_EQ(control(MainWindowId::LoadGroupButton)->isEnabled(), c.load);
        const bool general = c.load ? c.general : !c.general; // battery files keep the form
        EXPECT_EQ(window.generalLoad(), general);
        EXPECT_EQ(control(MainWindowId::LoadGroupButton)->property("text").toString(),
                  general ? "通用负载参数" : "LED负载参数");
        const QList<int> walk = parameters.GroupWalk(SelectionFromSlotCount(c.lines));
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot) {
            const bool covered = walk.contains(slot);
            EXPECT_EQ(parameters.addresses[slot], covered ? saved.addresses[slot] : "0000");
            EXPECT_EQ(parameters.values[slot], covered ? saved.values[slot] : "7");
        }
    }
}

TEST_F(ParameterFileWindowTest, RefusedImportsAndCancelsLeaveTheWindowAlone)
{
    window.setLoadBoxChecked(true);
    window.ApplyGroupEnabling();
    QFile bad(dir.filePath("bad.txt"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("HWKT-GNF\r\n9000:1\r\n");
    bad.close();

    click(MainWindowId::ImportButton, dir.filePath("bad.txt"));
    click(MainWindowId::ImportButton, dir.filePath("gone.txt"));
    click(MainWindowId::ImportButton, QString());
    click(MainWindowId::SaveButton, QString());
    EXPECT_EQ(messages.texts(), (QStringList{"导入失败！错误的配置文件！", "文件不存在！"}));
    EXPECT_TRUE(messages.entries[0].warning && messages.entries[1].warning);
    EXPECT_EQ(qobject_cast<QLabel *>(control(MainWindowId::ProductNameLabel))->text(), "QM-X");
    EXPECT_TRUE(checked(MainWindowId::LoadGroupBox));
    EXPECT_TRUE(control(MainWindowId::LoadGroupButton)->isEnabled());
    EXPECT_EQ(parameters.values, ParameterSet().values);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"bad.txt"}); // no save
}
