#include "app/aboutdialog.h"
#include "app/mainwindow.h"
#include "forms/batteryparameterdialog.h"
#include "forms/clockdialog.h"
#include "forms/generalloaddialog.h"
#include "forms/ledloaddialog.h"
#include "model/filepicker.h"
#include "model/language.h"
#include "model/parameterset.h"
#include "programmer/parameterfile.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"

#include <QAbstractSpinBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
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

// The window with the file dialogs answering `path` (empty: cancelled) and the port list fed
// from `ports`.
class MainWindowTest : public ::testing::Test, public FilePicker
{
protected:
    MainWindowTest() : window(parameters, messages)
    {
        window.setFilePicker(this);
        window.setPortEnumerator([this] { return ports; });
        window.show();
    }

    QString saveFileName() override { return path; }
    QString openFileName() override { return path; }
    MainWindowControls ui() const { return MainWindowControls(&window); }
    // Clicks the button with the dialogs answering `name` in the test folder.
    void click(QWidget *button, const QString &name = {})
    {
        path = name.isEmpty() ? QString() : dir.filePath(name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QByteArray read(const QString &name) const
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeParameterFile(dir.filePath(name), bytes));
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
    // The label, each box with its button ("B"/"L" checked, lower case enabled), the load form.
    QString shown() const
    {
        const MainWindowControls c = ui();
        return QStringList({c.productLabel->accessibleName(),
                            QString(c.batteryBox->isChecked() ? "B" : "-") +
                                (c.batteryButton->isEnabled() ? "b" : "-") +
                                (c.loadBox->isChecked() ? "L" : "-") +
                                (c.loadButton->isEnabled() ? "l" : "-"),
                            c.loadButton->accessibleName()})
            .join(' ');
    }

    QTemporaryDir dir;
    QString path;
    QStringList ports;
    ParameterSet parameters;
    MessageRecorder messages;
    MainWindow window;
};

} // namespace

TEST_F(MainWindowTest, ProductAndGroupBoxesMakeTheSelection)
{
    QComboBox *selector = ui().productSelector;
    EXPECT_EQ(shown(), "QM-X ---- 通用负载参数");

    // A product (picked with the arrow keys) sets the label and the load form only; typing into
    // the selector does nothing.
    ui().batteryBox->click();
    const QStringList values = parameters.values;
    selector->setFocus();
    QTest::keyClick(selector, Qt::Key_Down);
    QTest::keyClick(selector, Qt::Key_Down); // QM-XDJ, an LED-load product
    QTest::keyClicks(selector->lineEdit(), "HWKT");
    EXPECT_EQ(shown(), "QM-XDJ Bb-- LED负载参数");
    EXPECT_EQ(parameters.values, values);

    // Each box enables its button.
    ui().loadBox->click();
    EXPECT_EQ(shown(), "QM-XDJ BbLl LED负载参数");

    // A read or an import restores the form and the boxes without touching the selector (back
    // at a general-load product).
    QTest::keyClick(selector, Qt::Key_Up);
    QTest::keyClick(selector, Qt::Key_Up);
    window.selection().restoreGroupSelection(GroupSelection::LoadLed);
    EXPECT_EQ(selector->currentText(), "QM-X");
    EXPECT_EQ(shown(), "QM-X --Ll LED负载参数");

    // Neither Enter nor Esc closes the window.
    QTest::keyClick(selector, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(messages.entries.isEmpty());
}

TEST_F(MainWindowTest, AboutEntryShowsTheVersion)
{
#ifndef Q_OS_WIN
    ASSERT_EQ(window.actions().size(), 2); // About, then the language menu
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
        click(ui().saveButton, name);
        QFile::setPermissions(dir.filePath(name + ".txt"), QFileDevice::ReadOwner);
        // Change everything the file restores, then import it.
        parameters.values.fill("7");
        window.selection().clearGroupBoxes();
        window.selection().setGeneralLoad(!general);
        window.selection().setProductName("other");
        click(ui().importButton, name + ".txt");

        EXPECT_EQ(shown(), name + (battery ? " Bb" : " --") + (load ? "Ll " : "-- ") +
                               (general == load ? "通用负载参数" : "LED负载参数"));
        const QList<int> walk = groupWalk(window.selection().currentGroupSelection());
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            EXPECT_EQ(parameters.values[slot], walk.contains(slot) ? saved[slot] : "7") << slot;
    }
    EXPECT_EQ(read("Korvel-MDJU-2024.txt").size(), 726);
    EXPECT_EQ(messages.texts(), QStringList(6, "文件保存成功"));
    EXPECT_EQ(messages.entries.value(0).owner, &window);
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
    window.selection().setProductName("other");
    parameters.values.fill("7");
    // The box says where and why in a second paragraph. 1024 bytes are refused, not cut short
    // to a file that would pass.
    const std::pair<QByteArray, QString> refused[] = {
        {file + "\r\n", "有 60 行参数，应为 21、22、38、43 或 59 行"},
        {file + QByteArray(1024 - file.size(), 'x'), "文件超过 1023 字节"},
        {QByteArray(file).replace("\n9000:", "\n9100:"),
         "第 2 行：地址 9100 不是第 1 项参数的寄存器"},
    };
    for (const auto &[bytes, reason] : refused) {
        write("bad.txt", bytes);
        messages.clear();
        click(ui().importButton, "bad.txt");
        EXPECT_EQ(messages.texts(), QStringList{"导入失败！错误的配置文件！\n\n" + reason});
        EXPECT_EQ(shown(), "other BbLl LED负载参数");
        EXPECT_EQ(parameters.values, QStringList(ParameterSet::kSlotCount, "7"));
    }
    click(ui().importButton, "missing.txt");
    EXPECT_EQ(messages.texts().last(), "文件不存在！");
}

TEST_F(MainWindowTest, ClosingAsksToSaveWhatIsKeptNowhere)
{
    using Answer = MessageService::Answer;
    const QString asked = "参数已修改，是否保存？";
    // Nothing changed: closes at once.
    window.close();
    EXPECT_FALSE(window.isVisible());

    // A box changed: "取消" stays, and so does "保存" with the file dialog cancelled; "保存" ends
    // once the file is written.
    window.show();
    window.selection().setBatteryBox(true);
    messages.answers = {Answer::Cancel, Answer::Accept, Answer::Accept};
    window.close();
    window.close();
    EXPECT_TRUE(window.isVisible());
    path = dir.filePath("kept");
    window.close();
    EXPECT_FALSE(window.isVisible());

    // Saved or imported, it closes at once; a form's "应用" makes it ask again, and "不保存"
    // ends.
    window.show();
    click(ui().importButton, "kept.txt");
    window.close();
    EXPECT_FALSE(window.isVisible());
    window.show();
    parameters.values[Slot::BatteryCapacity] = "300";
    messages.answers = {Answer::Decline};
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(messages.texts(), QStringList({asked, asked, asked, "文件保存成功", asked}));
    EXPECT_EQ(files(), QStringList{"kept.txt"});
}

TEST_F(MainWindowTest, PortListFollowsTheCable)
{
    QComboBox *list = ui().portList;
    const auto entries = [list] {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    };
    // The timer refreshes the closed list (order only: it happens, however long a busy machine
    // takes); it is usable while there is a port, and nothing is chosen until the user picks.
    EXPECT_FALSE(list->isEnabled());
    ports = {"ttyUSB1"};
    EXPECT_TRUE(QTest::qWaitFor([list] { return list->count() == 1; }, 60000));
    EXPECT_TRUE(list->isEnabled() && list->currentIndex() == -1);

    // Dropping the list down enumerates first, in the enumeration's order; the choice stays.
    list->setCurrentIndex(0);
    ports = {"ttyS0", "ttyUSB1"};
    list->showPopup();
    EXPECT_EQ(entries(), ports);
    EXPECT_EQ(list->currentText(), "ttyUSB1");
    list->hidePopup();

#ifdef Q_OS_UNIX
    // Open (a pseudo-terminal stands in for the adapter), the list stays as it is; closed, it
    // catches up at once.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const QStringList opened = {QString::fromLocal8Bit(ptsname(master)), "ttyS0"};
    ports = opened;
    window.refreshPorts();
    list->setCurrentIndex(0);
    QTest::mouseClick(ui().portButton, Qt::LeftButton);
    ASSERT_TRUE(window.link().portOpen());
    ports = {"ttyS1"};
    window.refreshPorts();
    EXPECT_EQ(entries(), opened);
    EXPECT_FALSE(list->isEnabled());
    QTest::mouseClick(ui().portButton, Qt::LeftButton);
    EXPECT_EQ(entries(), ports);
    EXPECT_TRUE(list->isEnabled() && list->currentIndex() == -1);
    ::close(master);
#endif
}

// Every visible text of the main window and of the four forms: captions, labels, group titles,
// fields and lists, the window titles. Pickers show values, not words (and the clock form's
// runs on with the PC's clock).
QStringList visibleTexts(QWidget *root)
{
    QStringList texts{root->windowTitle()};
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(root))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text() << button->accessibleName();
        else if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            texts << group->title();
        else if (auto *edit = qobject_cast<QLineEdit *>(w);
                 edit && !qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            texts << edit->text() << edit->accessibleName(); // a picker's is its value
        else if (auto *list = qobject_cast<QComboBox *>(w))
            texts << list->currentText();
    }
    return texts;
}

// Chosen from the window's menu, English applies at once to the window and to every form opened
// afterwards, and is kept; Chinese again brings back every text as it was.
TEST_F(MainWindowTest, EnglishAtRunTimeAndBack)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    window.selection().setBatteryBox(true);
    const auto everything = [&] {
        ClockDialog clock(window.link(), messages, &window);
        std::unique_ptr<QDialog> forms[] = {
            std::make_unique<BatteryParameterDialog>(parameters, messages, &window),
            std::make_unique<GeneralLoadDialog>(parameters, messages, &window),
            std::make_unique<LedLoadDialog>(parameters, messages, &window)};
        QStringList texts = visibleTexts(&window) + visibleTexts(&clock);
        for (const auto &form : forms)
            texts += visibleTexts(form.get());
        return texts;
    };
    const QStringList chinese = everything();
    const auto language = [this](const char *name) {
        QMenu *menu = window.actions().last()->menu();
        for (QAction *action : menu->actions()) {
            if (action->text() == name)
                action->trigger();
        }
        // The application posts the change to each window.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    };
    language("English");
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    const QStringList english = everything();
    for (const QString &text : english)
        EXPECT_FALSE(text.contains(cjk)) << text.toStdString();
    EXPECT_TRUE(english.contains("Open port") && english.contains("Restore defaults"));
    EXPECT_EQ(QSettings().value("language"), "en");
    path = dir.filePath("english.txt"); // files never depend on the language
    window.saveParameters();
    language("中文");
    EXPECT_EQ(everything(), chinese);
    click(ui().saveButton, "chinese.txt");
    EXPECT_EQ(read("english.txt"), read("chinese.txt"));
    EXPECT_EQ(QSettings().value("language"), "zh");
}
