#include "app/mainwindow.h"
#include "model/filepicker.h"
#include "model/parameterset.h"
#include "programmer/parameterfile.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

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

    // Clicks the button with the picker answering `name` in the test folder; empty: cancelled.
    MainWindowControls ui() const { return MainWindowControls(&window); }
    void click(QWidget *button, const QString &name)
    {
        picker.path = name.isEmpty() ? QString() : dir.filePath(name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static bool checked(QAbstractButton *box) { return box->isChecked(); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
    QByteArray read(const QString &name) const
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
    ParameterSet parameters;
    MessageRecorder messages;
    FakeFilePicker picker;
    MainWindow window;
};

} // namespace

TEST_F(ParameterFileWindowTest, EachSelectionSurvivesSaveAndImportOfAReadOnlyFile)
{
    const struct
    {
        bool battery, load, general;
        int lines;
        QString name;
    } cases[] = {
        // The battery group alone twice: its file leaves either load form as it is.
        {true, false, true, 21, "光伏控制器QM-X"}, {true, false, false, 21, "QM-X"},
        {false, true, true, 22, "QM-XD"},          {false, true, false, 38, "QM-XDJ"},
        {true, true, true, 43, "ZR-XW"},           {true, true, false, 59, "Korvel-MDJU-2024"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            parameters.values[slot] = QString::number(10000 + slot * 997 + c.lines);
        window.selection().setProductName(c.name);
        window.selection().setGeneralLoad(c.general);
        window.selection().setBatteryBox(c.battery);
        window.selection().setLoadBox(c.load);
        const ParameterSet saved = parameters;
        const QString file = c.name;
        messages.clear();
        click(ui().saveButton, file);
        EXPECT_EQ(messages.texts(), QStringList{"文件保存成功"});
        EXPECT_EQ(messages.entries.value(0).owner, &window);
        QFile::setPermissions(dir.filePath(file + ".txt"), QFileDevice::ReadOwner);

        // Change everything the file restores, then import it.
        parameters.values.fill("7");
        window.selection().clearGroupBoxes();
        window.selection().setGeneralLoad(!c.general);
        window.selection().setProductName("other");
        click(ui().importButton, file + ".txt");

        EXPECT_EQ(messages.entries.size(), 1);
        EXPECT_EQ(qobject_cast<QLabel *>(ui().productLabel)->text(), c.name);
        EXPECT_EQ(checked(ui().batteryBox), c.battery);
        EXPECT_EQ(checked(ui().loadBox), c.load);
        EXPECT_EQ(ui().batteryButton->isEnabled(), c.battery);
        EXPECT_EQ(ui().loadButton->isEnabled(), c.load);
        const bool general = c.load ? c.general : !c.general; // battery files keep the form
        EXPECT_EQ(ui().loadButton->property("text").toString(),
                  general ? "通用负载参数" : "LED负载参数");
        const QList<int> walk = groupWalk(selectionFromSlotCount(c.lines));
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot) {
            const bool covered = walk.contains(slot);
            EXPECT_EQ(parameters.values[slot], covered ? saved.values[slot] : "7");
        }
    }
    EXPECT_EQ(read("Korvel-MDJU-2024.txt").size(), 726);
}

TEST_F(ParameterFileWindowTest, FailedSavesAndRefusedImportsChangeNothing)
{
    click(ui().saveButton, "set.txt"); // no group selected
    click(ui().saveButton, QString()); // cancelled
    click(ui().importButton, QString());
    EXPECT_EQ(messages.texts(), QStringList{"未作任何需要保存的数据！"});
    EXPECT_TRUE(files().isEmpty());

    window.selection().setGeneralLoad(false);
    window.selection().setBatteryBox(true);
    window.selection().setLoadBox(true);
#ifdef Q_OS_UNIX
    // The file size limit cuts the write short, even for root; the old file stays whole.
    write("all.TXT", "old");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{100, saved.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    click(ui().saveButton, "all.TXT");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(messages.texts().last(), "文件保存失败！");
    EXPECT_EQ(read("all.TXT"), "old");
    EXPECT_EQ(files(), QStringList{"all.TXT"});
#endif

    click(ui().saveButton, "all.TXT"); // 59 slot lines
    const QByteArray file = read("all.TXT");
    const qsizetype padding = kMaxParameterFileSize - file.size();
    const QByteArray longest = QByteArray(file).insert(file.size() - 2, QByteArray(padding, '0'));
    ASSERT_EQ(longest.size(), 1023);
    window.selection().setProductName("other");
    parameters.values.fill("7");
    const ParameterSet before = parameters;
    // An extra empty line makes 60 slot lines; 1024 bytes are refused, not cut short. The box
    // says why in a second paragraph.
    const std::pair<QByteArray, QString> refused[] = {
        {file + "\r\n", "有 60 行参数，应为 21、22、38、43 或 59 行"},
        {longest + "0", "文件超过 1023 字节"},
    };
    for (const auto &[bytes, reason] : refused) {
        write("bad.txt", bytes);
        messages.clear();
        click(ui().importButton, "bad.txt");
        EXPECT_EQ(messages.texts(), QStringList{"导入失败！错误的配置文件！\n\n" + reason});
        EXPECT_EQ(window.selection().productName(), "other");
        EXPECT_EQ(parameters.values, before.values);
    }

    // 1023 bytes are read whole.
    write("long.txt", longest);
    messages.clear();
    click(ui().importButton, "long.txt");
    EXPECT_EQ(parameters.values[58], ParameterSet().values[58] + QString(padding, u'0'));
    click(ui().importButton, "missing.txt");
    EXPECT_EQ(messages.texts(), QStringList{"文件不存在！"});
}

TEST_F(ParameterFileWindowTest, HostileFilesLeaveEverythingAsItWas)
{
    // The user's load parameters and a battery file of their own.
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
        parameters.values[slot] = QString::number(3000 + slot);
    window.selection().setProductName("QM-XD");
    window.selection().setBatteryBox(true);
    click(ui().saveButton, "battery.txt");
    window.selection().setBatteryBox(false);
    window.selection().setLoadBox(true);
    click(ui().saveButton, "load.txt");
    const QByteArray load = read("load.txt");
    window.selection().setProductName("mine");
    const ParameterSet before = parameters;

    const std::pair<QByteArray, QString> hostile[] = {
        // One blank line more: a load file's count, but line 2 is no load register.
        {read("battery.txt") + "\r\n", "第 2 行：地址 9000 不是第 1 项参数的寄存器"},
        // Product line deleted: a battery file's count.
        {load.mid(load.indexOf("\r\n") + 2), "第 2 行：地址 901F 不是第 1 项参数的寄存器"},
        // Not what a form stores.
        {QByteArray(load).replace(":3015", ":3.5"), "第 2 行：数值“3.5”不是整数"},
    };
    for (const auto &[bytes, reason] : hostile) {
        write("hostile.txt", bytes);
        messages.clear();
        click(ui().importButton, "hostile.txt");
        EXPECT_EQ(messages.texts(), QStringList{"导入失败！错误的配置文件！\n\n" + reason});
        EXPECT_EQ(qobject_cast<QLabel *>(ui().productLabel)->text(), "mine");
        EXPECT_FALSE(checked(ui().batteryBox));
        EXPECT_TRUE(checked(ui().loadBox));
        EXPECT_EQ(parameters.values, before.values);
    }

    // Re-saved by an editor as UTF-8 with its mark: the name reads right.
    write("utf8.txt",
          "\xEF\xBB\xBF" + QStringLiteral("光伏QM-X").toUtf8() + read("battery.txt").mid(5));
    messages.clear();
    click(ui().importButton, "utf8.txt");
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(window.selection().productName(), "光伏QM-X");
    EXPECT_TRUE(checked(ui().batteryBox));
}

TEST_F(ParameterFileWindowTest, ClosingAsksToSaveWhatIsKeptNowhere)
{
    using Answer = MessageService::Answer;
    // Nothing changed: closes at once.
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(messages.entries.isEmpty());

    // A box changed: "取消" stays, and so does "保存" with the file dialog cancelled.
    window.show();
    window.selection().setBatteryBox(true);
    messages.answers = {Answer::Cancel, Answer::Accept};
    window.close();
    picker.path.clear();
    window.close();
    EXPECT_EQ(messages.texts(), QStringList(2, "参数已修改，是否保存？"));
    EXPECT_EQ(messages.entries.value(0).owner, &window);
    EXPECT_TRUE(window.isVisible());
    // "保存" ends once the file is written.
    messages.clear();
    messages.answers = {Answer::Accept};
    picker.path = dir.filePath("kept");
    window.close();
    EXPECT_EQ(messages.texts(), QStringList({"参数已修改，是否保存？", "文件保存成功"}));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(files(), QStringList{"kept.txt"});

    // Saved or imported, it closes at once; a form's "应用" makes it ask again.
    window.show();
    messages.clear();
    click(ui().importButton, "kept.txt");
    window.close();
    EXPECT_FALSE(window.isVisible());
    window.show();
    parameters.values[Slot::BatteryCapacity] = "300";
    messages.answers = {Answer::Decline};
    window.close();
    EXPECT_EQ(messages.texts(), QStringList{"参数已修改，是否保存？"});
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(files(), QStringList{"kept.txt"});
}
