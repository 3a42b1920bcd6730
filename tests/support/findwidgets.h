#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <type_traits>

// Widget suites find controls as a screen reader does: by accessible name (a caption, a label's
// text, or the role of a control without either); a label whose text changes by the role in its
// accessible description; a button whose caption changes by either caption. A field carries the
// name of the label beside it, so labels are found only when asked for as QLabel. Fails the test
// unless exactly one matches.
template <typename T = QWidget>
T *named(const QWidget *root, const QString &name, const QString &otherCaption = {})
{
    QList<T *> found;
    for (T *widget : root->findChildren<T *>()) {
        const bool label = qobject_cast<QLabel *>(widget);
        const QString own = widget->accessibleName();
        if (label == std::is_same_v<T, QLabel> &&
            (own == name || (!otherCaption.isEmpty() && own == otherCaption) ||
             (label && widget->accessibleDescription() == name)))
            found.append(widget);
    }
    EXPECT_EQ(found.size(), 1) << "controls named " << name.toStdString();
    return found.value(0);
}

// A list is found by one of its items.
inline QComboBox *listWith(const QWidget *root, const QString &item)
{
    for (QComboBox *list : root->findChildren<QComboBox *>()) {
        if (list->findText(item) >= 0)
            return list;
    }
    ADD_FAILURE() << "no list with " << item.toStdString();
    return nullptr;
}

// The main window's controls.
struct MainWindowControls
{
    explicit MainWindowControls(const QWidget *window)
        : portList(named<QComboBox>(window, QStringLiteral("串口列表"))),
          portButton(named<QPushButton>(window, QStringLiteral("打开串口"), "关闭串口")),
          productSelector(named<QComboBox>(window, QStringLiteral("产品类型"))),
          productPrompt(named<QLabel>(window, QStringLiteral("点击选择产品类型"))),
          productLabel(named<QLabel>(window, QStringLiteral("产品名称"))),
          batteryBox(named<QCheckBox>(window, QStringLiteral("充放电控制参数组"))),
          batteryButton(named<QPushButton>(window, QStringLiteral("充放电控制参数"))),
          loadBox(named<QCheckBox>(window, QStringLiteral("负载参数组"))),
          loadButton(named<QPushButton>(window, QStringLiteral("通用负载参数"), "LED负载参数")),
          saveButton(named<QPushButton>(window, QStringLiteral("保存参数"))),
          importButton(named<QPushButton>(window, QStringLiteral("导入参数"))),
          readButton(named<QPushButton>(window, QStringLiteral("读取编程器"))),
          updateButton(named<QPushButton>(window, QStringLiteral("更新编程器"))),
          clearButton(named<QPushButton>(window, QStringLiteral("清除编程器"))),
          timeSyncButton(named<QPushButton>(window, QStringLiteral("时间同步")))
    {
    }

    QComboBox *portList;
    QPushButton *portButton;
    QComboBox *productSelector;
    QLabel *productPrompt;
    QLabel *productLabel;
    QCheckBox *batteryBox;
    QPushButton *batteryButton;
    QCheckBox *loadBox;
    QPushButton *loadButton;
    QPushButton *saveButton;
    QPushButton *importButton;
    QPushButton *readButton;
    QPushButton *updateButton;
    QPushButton *clearButton;
    QPushButton *timeSyncButton;
};

// The clock form's controls.
struct ClockDialogControls
{
    explicit ClockDialogControls(const QWidget *dialog)
        : manualAdjust(named<QPushButton>(dialog, QStringLiteral("手动调整"), "本机时间")),
          read(named<QPushButton>(dialog, QStringLiteral("读取"))),
          write(named<QPushButton>(dialog, QStringLiteral("写入"))),
          date(named<QDateEdit>(dialog, QStringLiteral("日期"))),
          time(named<QTimeEdit>(dialog, QStringLiteral("时间"))),
          programmerTime(named<QLineEdit>(dialog, QStringLiteral("编程器时间")))
    {
    }

    QPushButton *manualAdjust;
    QPushButton *read;
    QPushButton *write;
    QDateEdit *date;
    QTimeEdit *time;
    QLineEdit *programmerTime;
};
