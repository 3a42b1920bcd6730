#include "app/aboutdialog.h"
#include "app/mainwindow.h"
#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest() : window(parameters, messages) {}

    MainWindowControls ui() const { return MainWindowControls(&window); }

    QComboBox *selector() { return ui().productSelector; }
    QLabel *label() { return ui().productLabel; }
    QCheckBox *batteryBox() { return ui().batteryBox; }
    QCheckBox *loadBox() { return ui().loadBox; }
    QPushButton *batteryButton() { return ui().batteryButton; }
    QPushButton *loadButton() { return ui().loadButton; }

    // As a user does it: focus the selector and step through the list with the arrow keys.
    void pickProduct(int index)
    {
        selector()->setFocus();
        while (selector()->currentIndex() < index)
            QTest::keyClick(selector(), Qt::Key_Down);
        while (selector()->currentIndex() > index)
            QTest::keyClick(selector(), Qt::Key_Up);
    }

    // Clicks the check box's indicator, where a user clicks a box without caption.
    static void clickBox(QCheckBox *box)
    {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
    }

    ParameterSet parameters;
    MessageRecorder messages;
    MainWindow window;
};

} // namespace

TEST_F(MainWindowTest, StartsWithFirstProductAndNoGroups)
{
    EXPECT_EQ(window.windowTitle(), "Velmora(V3.82)");
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    ASSERT_EQ(selector()->count(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(selector()->itemText(i), kProductTypes[std::size_t(i)].name);
    EXPECT_EQ(selector()->currentText(), "QM-X");
    EXPECT_EQ(label()->text(), "QM-X");
    EXPECT_EQ(loadButton()->text(), "通用负载参数");
    EXPECT_TRUE(window.selection().generalLoad());
    EXPECT_FALSE(batteryBox()->isChecked());
    EXPECT_FALSE(loadBox()->isChecked());
    EXPECT_FALSE(batteryButton()->isEnabled());
    EXPECT_FALSE(loadButton()->isEnabled());
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::None);
    EXPECT_TRUE(messages.entries.isEmpty());
}

TEST_F(MainWindowTest, ControlsAreFoundByTheirNamesAndTheImageButtonsCarryIcons)
{
    // Every control is found by its accessible name (its caption, or its role).
    const MainWindowControls c = ui();
    EXPECT_EQ(c.portButton->text(), "打开串口");
    EXPECT_EQ(c.productPrompt->text(), "点击选择产品类型");
    EXPECT_EQ(label()->accessibleName(), "QM-X");
    EXPECT_TRUE(label()->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(selector()->isEditable());
    for (QPushButton *button : {c.saveButton, c.importButton, c.readButton, c.updateButton,
                                c.clearButton, c.timeSyncButton})
        EXPECT_FALSE(button->icon().pixmap(QSize(24, 24)).isNull()) << button->text().toStdString();
    EXPECT_FALSE(window.windowIcon().isNull());
}

TEST_F(MainWindowTest, ProductSelectionSetsLabelAndLoadFormOnly)
{
    window.show();
    batteryBox()->click();
    const QStringList valuesBefore = parameters.values;

    pickProduct(2); // QM-XDJ, an LED-load product
    EXPECT_EQ(label()->text(), "QM-XDJ");
    EXPECT_EQ(label()->accessibleName(), "QM-XDJ");
    EXPECT_EQ(loadButton()->text(), "LED负载参数");
    EXPECT_EQ(loadButton()->accessibleName(), "LED负载参数");
    EXPECT_FALSE(window.selection().generalLoad());

    pickProduct(6); // Korvel-XW, general load again
    EXPECT_EQ(label()->text(), "Korvel-XW");
    EXPECT_EQ(loadButton()->text(), "通用负载参数");
    EXPECT_TRUE(window.selection().generalLoad());

    // Typing into the selector's edit field changes nothing.
    selector()->lineEdit()->selectAll();
    QTest::keyClicks(selector()->lineEdit(), "HWKT");
    EXPECT_EQ(label()->text(), "Korvel-XW");

    // Boxes, their buttons and the values are not touched.
    EXPECT_TRUE(batteryBox()->isChecked() && batteryButton()->isEnabled());
    EXPECT_FALSE(loadBox()->isChecked());
    EXPECT_EQ(parameters.values, valuesBefore);
}

TEST_F(MainWindowTest, GroupBoxesEnableTheirButtonsAndMakeTheSelection)
{
    window.show();
    clickBox(loadBox());
    EXPECT_TRUE(loadButton()->isEnabled());
    EXPECT_FALSE(batteryButton()->isEnabled());
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::Load);
    clickBox(loadBox());
    EXPECT_FALSE(loadButton()->isEnabled());

    clickBox(batteryBox());
    EXPECT_TRUE(batteryButton()->isEnabled());
    pickProduct(2);
    EXPECT_EQ(window.selection().currentGroupSelection(),
              GroupSelection::Battery); // whatever the product
    clickBox(loadBox());
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::All);
    clickBox(batteryBox());
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::LoadLed);
    pickProduct(0);
    clickBox(batteryBox());
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::BatteryLoad);

    // A read or an import restores the load form without touching the selector.
    window.selection().setGeneralLoad(false);
    EXPECT_EQ(selector()->currentText(), "QM-X");
    EXPECT_EQ(loadButton()->text(), "LED负载参数");
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::All);

    window.selection().clearGroupBoxes();
    EXPECT_FALSE(batteryBox()->isChecked() || loadBox()->isChecked());
    EXPECT_FALSE(batteryButton()->isEnabled() || loadButton()->isEnabled());
    EXPECT_EQ(window.selection().currentGroupSelection(), GroupSelection::None);

    // A restored box enables its button at once.
    window.selection().restoreGroupSelection(GroupSelection::Load);
    EXPECT_TRUE(loadBox()->isChecked() && loadButton()->isEnabled());
    EXPECT_EQ(loadButton()->text(), "通用负载参数");
}

TEST_F(MainWindowTest, EnterAndEscapeNeverCloseTheWindow)
{
    window.show();
    pickProduct(3);
    QTest::keyClick(selector(), Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(messages.entries.isEmpty());
    // The group buttons read as buttons, not as labels.
    EXPECT_FALSE(batteryButton()->isFlat() || loadButton()->isFlat());
}

TEST_F(MainWindowTest, AboutEntryIsOfferedAndTheBoxReadsAsTabled)
{
#ifndef Q_OS_WIN
    ASSERT_EQ(window.actions().size(), 1);
    EXPECT_EQ(window.actions().first()->text(), "关于 KTX(&A)...");
    EXPECT_EQ(window.actions().first()->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(window.contextMenuPolicy(), Qt::ActionsContextMenu);
#endif
    AboutDialog about(&window);
    EXPECT_EQ(about.windowTitle(), "About KTX");
    const QList<QLabel *> labels = about.findChildren<QLabel *>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                            [](QLabel *l) { return l->text() == "KTX 1.0 "; }));
    // The project version reaches the box, on a line of its own.
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](QLabel *l) {
        return l->text() == QStringLiteral("Velmora " VELMORA_VERSION);
    }));
    const QList<QPushButton *> buttons = about.findChildren<QPushButton *>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.first()->text(), "确定");
    about.show();
    buttons.first()->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
}
