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

#include <initializer_list>
#include <type_traits>

// Widget suites find controls as a screen reader does: by accessible name (a caption, a label's
// text, or the role of a control without either). A field carries the name of the label beside
// it, so labels are found only when asked for as QLabel. Fails the test unless exactly one
// matches.
template <typename T = QWidget> T *named(const QWidget *root, const QString &name)
{
    QList<T *> found;
    for (T *widget : root->findChildren<T *>()) {
        if (widget->accessibleName() != name)
            continue;
        if constexpr (!std::is_same_v<T, QLabel>) {
            if (qobject_cast<QLabel *>(widget))
                continue;
        }
        found.append(widget);
    }
    EXPECT_EQ(found.size(), 1) << "controls named " << name.toStdString();
    return found.value(0);
}

// The first of `names` that one control carries: for a button whose caption changes.
template <typename T = QWidget>
T *namedAnyOf(const QWidget *root, std::initializer_list<const char *> names)
{
    for (T *widget : root->findChildren<T *>()) {
        for (const char *name : names) {
            if (widget->accessibleName() == QString::fromUtf8(name))
                return widget;
        }
    }
    ADD_FAILURE() << "no control named " << *names.begin();
    return nullptr;
}

// The label whose accessible description is `role`: labels whose text changes.
inline QLabel *labelOfRole(const QWidget *root, const QString &role)
{
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (label->accessibleDescription() == role)
            return label;
    }
    ADD_FAILURE() << "no label of role " << role.toStdString();
    return nullptr;
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
          portButton(namedAnyOf<QPushButton>(window, {"打开串口", "关闭串口"})),
          productSelector(named<QComboBox>(window, QStringLiteral("产品类型"))),
          productPrompt(named<QLabel>(window, QStringLiteral("点击选择产品类型"))),
          productLabel(labelOfRole(window, QStringLiteral("产品名称"))),
          batteryBox(named<QCheckBox>(window, QStringLiteral("充放电控制参数组"))),
          batteryButton(named<QPushButton>(window, QStringLiteral("充放电控制参数"))),
          loadBox(named<QCheckBox>(window, QStringLiteral("负载参数组"))),
          loadButton(namedAnyOf<QPushButton>(window, {"通用负载参数", "LED负载参数"})),
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
        : manualAdjust(namedAnyOf<QPushButton>(dialog, {"手动调整", "本机时间"})),
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
