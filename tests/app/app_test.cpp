#include "app/aboutdialog.h"
#include "app/mainwindow.h"
#include "model/filepicker.h"
#include "model/parameterset.h"
#include "programmer/parameterfile.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

class FakeFilePicker : public FilePicker
{
public:
    QString saveFileName() override { return path; }
    QString openFileName() override { return path; }
    QString path;
};

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest() : window(parameters, messages)
    {
        window.setFilePicker(&picker);
        window.setPortEnumerator([this] { return ports; });
        window.show();
    }

    MainWindowControls ui() const { return MainWindowControls(&window); }
    // Clicks the button with the picker answering `name` in the test folder; empty: cancelled.
    void click(QWidget *button, const QString &name = {})
    {
        picker.path = name.isEmpty() ? QString() : dir.filePath(name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QByteArray read(const QString &name) const
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
    // As a user does it: step through the focused selector with the arrow keys.
    void pickProduct(int index)
    {
        QComboBox *selector = ui().productSelector;
        selector->setFocus();
        while (selector->currentIndex() != index)
            QTest::keyClick(selector, selector->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }

    QTemporaryDir dir;
    QStringList ports; // what the fake enumeration finds
    ParameterSet parameters;
    MessageRecorder messages;
    FakeFilePicker picker;
    MainWindow window;
};

} // namespace

TEST_F(MainWindowTest, ProductAndGroupBoxesMakeTheSelection)
{
    const MainWindowControls c = ui();
    EXPECT_EQ(window.windowTitle(), "Velmora(V3.82)");
    EXPECT_FALSE(window.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(c.productSelector->count(), 11);
    EXPECT_EQ(c.productLabel->text(), "QM-X");
    EXPECT_EQ(c.loadButton->text(), "通用负载参数");
    EXPECT_FALSE(c.batteryButton->isEnabled() || c.loadButton->isEnabled());
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::None);

    // A product sets the label and the load form only; typing into the selector does nothing.
    c.batteryBox->click();
    const QStringList values = parameters.values;
    pickProduct(2); // QM-XDJ, an LED-load product
    c.productSelector->lineEdit()->selectAll();
    QTest::keyClicks(c.productSelector->lineEdit(), "HWKT");
    EXPECT_EQ(c.productLabel->accessibleName(), "QM-XDJ");
    EXPECT_EQ(c.loadButton->accessibleName(), "LED负载参数");
    EXPECT_TRUE(c.batteryBox->isChecked() && c.batteryButton->isEnabled());
    EXPECT_FALSE(c.loadBox->isChecked() || c.loadButton->isEnabled());
    EXPECT_EQ(parameters.values, values);

    // Each box enables its button; together they make the selection, with the product's form.
    c.loadBox->click();
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::All);
    c.batteryBox->click();
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::LoadLed);
    EXPECT_TRUE(c.loadButton->isEnabled() && !c.batteryButton->isEnabled());
    pickProduct(0);
    c.batteryBox->click();
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::BatteryLoad);

    // A read or an import restores the form and the boxes without touching the selector.
    window.selection().restoreGroupSelection(GroupSelection::LoadLed);
    EXPECT_EQ(c.productSelector->currentText(), "QM-X");
    EXPECT_EQ(c.loadButton->text(), "LED负载参数");
    EXPECT_FALSE(c.batteryBox->isChecked() || c.batteryButton->isEnabled());

    // Neither Enter nor Esc closes the window.
    QTest::keyClick(c.productSelector, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(messages.entries.isEmpty());
}

TEST_F(MainWindowTest, AboutEntryShowsTheVersion)
{
#ifndef Q_OS_WIN
    ASSERT_EQ(window.actions().size(), 1);
    EXPECT_EQ(window.actions().first()->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(window.contextMenuPolicy(), Qt::ActionsContextMenu);
#endif
    AboutDialog about(&window);
    about.show();
    EXPECT_TRUE(named<QLabel>(&about, QStringLiteral("Velmora " VELMORA_VERSION)));
    named<QPushButton>(&about, "确定")->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(MainWindowTest, EachSelectionSurvivesSaveAndImportOfAReadOnlyFile)
{
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
        parameters.values[slot] = QString::number(10000 + slot * 997);
    const QStringList saved = parameters.values;
    // The battery group alone twice: its file leaves either load form as it is.
    const std::tuple<bool, bool, bool, QString> cases[] = {
        {true, false, true, "光伏控制器QM-X"}, {true, false, false, "QM-X"},
        {false, true, true, "QM-XD"},          {false, true, false, "QM-XDJ"},
        {true, true, true, "ZR-XW"},           {true, true, false, "Korvel-MDJU-2024"}};
    for (const auto &[battery, load, general, name] : cases) {
        SCOPED_TRACE(name.toStdString());
        window.selection().setProductName(name);
        window.selection().setGeneralLoad(general);
        window.selection().setBatteryBox(battery);
        window.selection().setLoadBox(load);
        parameters.values = saved;
        messages.clear();
        click(ui().saveButton, name);
        QFile::setPermissions(dir.filePath(name + ".txt"), QFileDevice::ReadOwner);
        // Change everything the file restores, then import it.
        parameters.values.fill("7");
        window.selection().clearGroupBoxes();
        window.selection().setGeneralLoad(!general);
        window.selection().setProductName("other");
        click(ui().importButton, name + ".txt");

        const MainWindowControls c = ui();
        EXPECT_EQ(messages.texts(), QStringList{"文件保存成功"});
        EXPECT_EQ(messages.entries.value(0).owner, &window);
        EXPECT_EQ(c.productLabel->text(), name);
        EXPECT_EQ(QList<bool>({c.batteryBox->isChecked(), c.batteryButton->isEnabled(),
                               c.loadBox->isChecked(), c.loadButton->isEnabled()}),
                  QList<bool>({battery, battery, load, load}));
        EXPECT_EQ(c.loadButton->text(), general == load ? "通用负载参数" : "LED负载参数");
        const QList<int> walk = groupWalk(window.selection().currentGroupSelection());
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            EXPECT_EQ(parameters.values[slot], walk.contains(slot) ? saved[slot] : "7") << slot;
    }
    EXPECT_EQ(read("Korvel-MDJU-2024.txt").size(), 726);
}

TEST_F(MainWindowTest, FailedSavesAndRefusedImportsChangeNothing)
{
    click(ui().saveButton, "set.txt"); // no group selected
    click(ui().saveButton);            // cancelled
    click(ui().importButton);
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
    window.selection().setProductName("other");
    parameters.values.fill("7");
    const QStringList before = parameters.values;
    // The box says where and why in a second paragraph. 1024 bytes are refused, not cut short.
    const std::pair<QByteArray, QString> refused[] = {
        {file + "\r\n", "有 60 行参数，应为 21、22、38、43 或 59 行"},
        {longest + "0", "文件超过 1023 字节"},
        {QByteArray(file).replace("\n9000:", "\n9100:"),
         "第 2 行：地址 9100 不是第 1 项参数的寄存器"},
        {QByteArray(file).replace("9001:200", "9001:3.5"), "第 3 行：数值“3.5”不是整数"},
    };
    for (const auto &[bytes, reason] : refused) {
        write("bad.txt", bytes);
        messages.clear();
        click(ui().importButton, "bad.txt");
        EXPECT_EQ(messages.texts(), QStringList{"导入失败！错误的配置文件！\n\n" + reason});
        EXPECT_EQ(ui().productLabel->text(), "other");
        EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::All);
        EXPECT_EQ(parameters.values, before);
    }

    // 1023 bytes are read whole.
    write("long.txt", longest);
    messages.clear();
    click(ui().importButton, "long.txt");
    EXPECT_EQ(parameters.values[58], ParameterSet().values[58] + QString(padding, u'0'));
    click(ui().importButton, "missing.txt");
    EXPECT_EQ(messages.texts(), QStringList{"文件不存在！"});
}

TEST_F(MainWindowTest, ClosingAsksToSaveWhatIsKeptNowhere)
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

TEST_F(MainWindowTest, PortListFollowsTheCable)
{
    QComboBox *list = ui().portList;
    const auto shown = [list] {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    };
    EXPECT_FALSE(list->isEnabled());
    // The timer refreshes the closed list; order only: it happens, however long a busy machine
    // takes. Nothing is chosen until the user picks.
    ports = {"ttyUSB1"};
    EXPECT_TRUE(QTest::qWaitFor([list] { return list->count() == 1; }, 60000));
    EXPECT_TRUE(list->isEnabled());
    EXPECT_EQ(list->currentIndex(), -1);

    // Dropping the list down enumerates first, in the enumeration's order.
    list->setCurrentIndex(0);
    ports = {"ttyS0", "ttyUSB0", "ttyUSB00", "ttyUSB1"};
    list->showPopup();
    QAbstractItemView *view = list->view();
    ASSERT_TRUE(view->isVisible());
    EXPECT_EQ(shown(), ports);
    view->setCurrentIndex(view->model()->index(1, 0));

    // The same ports change nothing in the open list; a port that goes leaves the rest,
    // highlight and choice included (the choice moves up a row).
    QSignalSpy changes(list->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy current(list, &QComboBox::currentIndexChanged);
    QSignalSpy inserted(list->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(list->model(), &QAbstractItemModel::rowsRemoved);
    window.refreshPorts();
    ports.removeAt(0);
    window.refreshPorts();
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->currentIndex().data().toString(), "ttyUSB0");
    EXPECT_EQ(list->currentText(), "ttyUSB1");
    EXPECT_EQ(QList<int>({int(changes.count()), int(current.count()), int(inserted.count()),
                          int(removed.count())}),
              QList<int>({0, 1, 0, 1}));
    list->hidePopup();

    ports.clear();
    window.refreshPorts();
    EXPECT_FALSE(list->isEnabled());
#ifdef Q_OS_UNIX
    // Open (a pseudo-terminal stands in for the adapter), the list stays as it is; closed, it
    // catches up at once.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    ports = {QString::fromLocal8Bit(ptsname(master)), "ttyS0"};
    window.refreshPorts();
    list->setCurrentIndex(0);
    QTest::mouseClick(ui().portButton, Qt::LeftButton);
    ASSERT_TRUE(window.link().portOpen());
    const QStringList opened = ports;
    ports = {"ttyS1"};
    window.refreshPorts();
    EXPECT_EQ(shown(), opened);
    EXPECT_FALSE(list->isEnabled());
    QTest::mouseClick(ui().portButton, Qt::LeftButton);
    EXPECT_EQ(shown(), ports);
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_TRUE(list->isEnabled());
    ::close(master);
#endif
}
