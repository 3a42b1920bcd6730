#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <iterator>

// Every text the program shows or writes on its own, spelled exactly as the users know them.
// Captions of fixed controls live in the .ui layouts; texts that code sets or compares are here.
// VELMORA_VERSION comes from the CMake project version, the one place it is set.
namespace Text {

// Application and main window
inline QString appName()
{
    return QStringLiteral("KTX");
}
inline QString mainWindowCaption()
{
    return QStringLiteral("Velmora(V" VELMORA_VERSION ")");
}
inline QString aboutMenuEntry()
{
    return QCoreApplication::translate("Text", "关于 KTX(&A)...");
}
// The language menu: named in both languages, each language in its own.
inline QString languageMenu()
{
    return QStringLiteral("语言 / Language");
}
inline QString chineseLanguage()
{
    return QStringLiteral("中文");
}
inline QString englishLanguage()
{
    return QStringLiteral("English");
}
inline QString aboutCaption()
{
    return QStringLiteral("About KTX");
}
inline QString aboutText()
{
    return QStringLiteral("KTX 1.0 ");
}
// The program's version, on its own line under the fixed text.
inline QString aboutVersion()
{
    return QStringLiteral("Velmora " VELMORA_VERSION);
}
inline QString aboutOk()
{
    return QCoreApplication::translate("Text", "确定");
}
inline QString generalLoadCaption()
{
    return QCoreApplication::translate("Text", "通用负载参数");
}
inline QString ledLoadCaption()
{
    return QCoreApplication::translate("Text", "LED负载参数");
}
// Closing the window with parameters not kept anywhere: a question with three answers.
inline QString saveChangesQuestion()
{
    return QCoreApplication::translate("Text", "参数已修改，是否保存？");
}
inline QString saveAnswer()
{
    return QCoreApplication::translate("Text", "保存");
}
inline QString dontSaveAnswer()
{
    return QCoreApplication::translate("Text", "不保存");
}
// The third answer of every question box.
inline QString cancel()
{
    return QCoreApplication::translate("Text", "取消");
}

// Accessible names of controls without a caption, and roles of labels whose text changes
inline QString batteryGroupBoxName()
{
    return QCoreApplication::translate("Text", "充放电控制参数组");
}
inline QString loadGroupBoxName()
{
    return QCoreApplication::translate("Text", "负载参数组");
}
inline QString portListName()
{
    return QCoreApplication::translate("Text", "串口列表");
}
inline QString productSelectorName()
{
    return QCoreApplication::translate("Text", "产品类型");
}
inline QString productLabelRole()
{
    return QCoreApplication::translate("Text", "产品名称");
}

// Serial port
inline QString openPort()
{
    return QCoreApplication::translate("Text", "打开串口");
}
inline QString closePort()
{
    return QCoreApplication::translate("Text", "关闭串口");
}
inline QString openPortFailed()
{
    return QCoreApplication::translate("Text", "打开串口失败");
}
inline QString portUnavailable()
{
    return QCoreApplication::translate("Text", "串口不可用或未打开！");
}
// The open port's device went away while no command was running.
inline QString portDisconnected()
{
    return QCoreApplication::translate("Text", "串口已断开！");
}
inline QString badHexData()
{
    return QCoreApplication::translate("Text", "错误的十六进制数据!");
}

// Programmer operations
inline QString readTimeout()
{
    return QCoreApplication::translate("Text", "读取超时！");
}
inline QString writeTimeout()
{
    return QCoreApplication::translate("Text", "写入超时！");
}
inline QString readNoData()
{
    return QCoreApplication::translate("Text", "读取失败，设备无数据！");
}
inline QString badParameterAddress()
{
    return QCoreApplication::translate("Text", "参数地址出错！");
}
inline QString valueOutOfRange()
{
    return QCoreApplication::translate("Text", "参数值超出范围！");
}
inline QString readComplete()
{
    return QCoreApplication::translate("Text", "读取完成！");
}
inline QString writeDataSucceeded()
{
    return QCoreApplication::translate("Text", "写入数据成功！");
}
inline QString clearComplete()
{
    return QCoreApplication::translate("Text", "清除完成");
}
inline QString chooseProductType()
{
    return QCoreApplication::translate("Text", "请选择产品类型！");
}
inline QString nothingSelectedForUpdate()
{
    return QCoreApplication::translate("Text", "未选中任何需要更新的参数！");
}

// Communication log: its window, the operations it names and the verdict on each reply.
inline QString logCaption()
{
    return QCoreApplication::translate("Text", "通信记录");
}
inline QStringList logHeaders()
{
    return {
        QCoreApplication::translate("Text", "时间"), QCoreApplication::translate("Text", "方向"),
        QCoreApplication::translate("Text", "数据"), QCoreApplication::translate("Text", "结果")};
}
inline QString logSent()
{
    return QCoreApplication::translate("Text", "发送");
}
inline QString logReceived()
{
    return QCoreApplication::translate("Text", "接收");
}
inline QString logCopy()
{
    return QCoreApplication::translate("Text", "复制");
}
inline QString logSave()
{
    return QCoreApplication::translate("Text", "保存…");
}
inline QString logClear()
{
    return QCoreApplication::translate("Text", "清空");
}
inline QString logSaveFailed()
{
    return QCoreApplication::translate("Text", "文件保存失败！");
}
inline QString readProgrammerOperation()
{
    return QCoreApplication::translate("Text", "读取编程器");
}
inline QString updateProgrammerOperation()
{
    return QCoreApplication::translate("Text", "更新编程器");
}
inline QString clearProgrammerOperation()
{
    return QCoreApplication::translate("Text", "清除编程器");
}
inline QString compareProgrammerOperation()
{
    return QCoreApplication::translate("Text", "比较编程器");
}
inline QString clockReadOperation()
{
    return QCoreApplication::translate("Text", "时间同步：读取");
}
inline QString clockWriteOperation()
{
    return QCoreApplication::translate("Text", "时间同步：写入");
}
inline QString verdictCorrect()
{
    return QCoreApplication::translate("Text", "正确");
}
inline QString verdictTimeout()
{
    return QCoreApplication::translate("Text", "超时");
}
inline QString verdictCrc()
{
    return QCoreApplication::translate("Text", "CRC错误");
}
inline QString verdictSlave()
{
    return QCoreApplication::translate("Text", "从站地址错误");
}
inline QString verdictFunction()
{
    return QCoreApplication::translate("Text", "功能码错误");
}
inline QString verdictLength()
{
    return QCoreApplication::translate("Text", "长度错误");
}
inline QString verdictByteCount()
{
    return QCoreApplication::translate("Text", "字节数错误");
}
inline QString verdictEcho()
{
    return QCoreApplication::translate("Text", "回显不符");
}
// An exception reply: the code as two hex digits ("异常码 02").
inline QString verdictException(const QString &code)
{
    return QCoreApplication::translate("Text", "异常码 %1").arg(code);
}
// A frame that passes every check but came with other bytes the link would not take.
inline QString verdictNotTaken()
{
    return QCoreApplication::translate("Text", "无效应答");
}

// Comparison with the programmer
inline QString compareCaption()
{
    return QCoreApplication::translate("Text", "与编程器比较");
}
inline QStringList compareHeaders()
{
    return {QCoreApplication::translate("Text", "参数"),
            QCoreApplication::translate("Text", "编程器"),
            QCoreApplication::translate("Text", "当前")};
}
inline QString compareSame()
{
    return QCoreApplication::translate("Text", "编程器中的参数与当前参数相同");
}
inline QString compareCount(int count)
{
    return QCoreApplication::translate("Text", "共 %n 处不同", nullptr, count);
}
inline QString compareClose()
{
    return QCoreApplication::translate("Text", "关闭");
}
inline QString productNameParameter()
{
    return QCoreApplication::translate("Text", "产品名称");
}
inline QString groupsParameter()
{
    return QCoreApplication::translate("Text", "参数组");
}
// A value only one side stores.
inline QString notStored()
{
    return QCoreApplication::translate("Text", "—");
}
inline QString noGroups()
{
    return QCoreApplication::translate("Text", "无");
}
inline QString groupSeparator()
{
    return QCoreApplication::translate("Text", "、");
}
inline QString batteryGroupName()
{
    return QCoreApplication::translate("Text", "充放电控制参数");
}
inline QString modeManual()
{
    return QCoreApplication::translate("Text", "手动控制");
}
inline QString modeLightOnly()
{
    return QCoreApplication::translate("Text", "纯光控");
}
inline QString modeLight()
{
    return QCoreApplication::translate("Text", "光控");
}
inline QString modeLightTimer()
{
    return QCoreApplication::translate("Text", "光控+定时");
}
inline QString modeTimer()
{
    return QCoreApplication::translate("Text", "定时控制");
}
// A parameter as the comparison names it, by slot; a time of day by any of its three slots.
inline QString parameterName(int slot)
{
    static const char *const names[] = {QT_TRANSLATE_NOOP("Text", "蓄电池类型"),
                                        QT_TRANSLATE_NOOP("Text", "蓄电池容量(Ah)"),
                                        QT_TRANSLATE_NOOP("Text", "温度补偿系数(mV/℃/2V)"),
                                        QT_TRANSLATE_NOOP("Text", "超压断开电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "充电限制电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "超压断开恢复电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "均衡充电电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "提升充电电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "浮充充电电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "提升恢复电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "低压断开恢复电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "欠压报警恢复电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "欠压报警电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "低压断开电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "放电限制电压(V)"),
                                        QT_TRANSLATE_NOOP("Text", "光控启动电压（V）"),
                                        QT_TRANSLATE_NOOP("Text", "光控启动延时（m）"),
                                        QT_TRANSLATE_NOOP("Text", "光控关闭电压（V）"),
                                        QT_TRANSLATE_NOOP("Text", "光控关闭延时（m）"),
                                        QT_TRANSLATE_NOOP("Text", "负载控制模式"),
                                        QT_TRANSLATE_NOOP("Text", "模式2定时时间段1"),
                                        QT_TRANSLATE_NOOP("Text", "模式2定时时间段2"),
                                        QT_TRANSLATE_NOOP("Text", "模式2定时时间段3"),
                                        QT_TRANSLATE_NOOP("Text", "定时开时刻1"),
                                        QT_TRANSLATE_NOOP("Text", "定时开时刻1"),
                                        QT_TRANSLATE_NOOP("Text", "定时开时刻1"),
                                        QT_TRANSLATE_NOOP("Text", "定时关时刻1"),
                                        QT_TRANSLATE_NOOP("Text", "定时关时刻1"),
                                        QT_TRANSLATE_NOOP("Text", "定时关时刻1"),
                                        QT_TRANSLATE_NOOP("Text", "定时开时刻2"),
                                        QT_TRANSLATE_NOOP("Text", "定时开时刻2"),
                                        QT_TRANSLATE_NOOP("Text", "定时开时刻2"),
                                        QT_TRANSLATE_NOOP("Text", "定时关时刻2"),
                                        QT_TRANSLATE_NOOP("Text", "定时关时刻2"),
                                        QT_TRANSLATE_NOOP("Text", "定时关时刻2"),
                                        QT_TRANSLATE_NOOP("Text", "模式2时间段1百分比"),
                                        QT_TRANSLATE_NOOP("Text", "模式2时间段2百分比"),
                                        QT_TRANSLATE_NOOP("Text", "模式2时间段3百分比"),
                                        QT_TRANSLATE_NOOP("Text", "夜间时长"),
                                        QT_TRANSLATE_NOOP("Text", "额定电压等级"),
                                        QT_TRANSLATE_NOOP("Text", "第二组定时"),
                                        QT_TRANSLATE_NOOP("Text", "手动默认状态"),
                                        QT_TRANSLATE_NOOP("Text", "均衡维持时间(M)"),
                                        QT_TRANSLATE_NOOP("Text", "提升维持时间(M)"),
                                        QT_TRANSLATE_NOOP("Text", "蓄电池放电(%)"),
                                        QT_TRANSLATE_NOOP("Text", "蓄电池充电(%)"),
                                        QT_TRANSLATE_NOOP("Text", "充电方式"),
                                        QT_TRANSLATE_NOOP("Text", "欠压后电流限制"),
                                        QT_TRANSLATE_NOOP("Text", "限流百分比"),
                                        QT_TRANSLATE_NOOP("Text", "LED额定电流（A）"),
                                        QT_TRANSLATE_NOOP("Text", "额定电流百分比"),
                                        QT_TRANSLATE_NOOP("Text", "模式1定时时间段1"),
                                        QT_TRANSLATE_NOOP("Text", "模式1定时时间段2"),
                                        QT_TRANSLATE_NOOP("Text", "模式1定时时间段3"),
                                        QT_TRANSLATE_NOOP("Text", "模式1时间段1百分比"),
                                        QT_TRANSLATE_NOOP("Text", "模式1时间段2百分比"),
                                        QT_TRANSLATE_NOOP("Text", "模式1时间段3百分比"),
                                        QT_TRANSLATE_NOOP("Text", "定时1百分比"),
                                        QT_TRANSLATE_NOOP("Text", "定时2百分比")};
    static_assert(std::size(names) == 59);
    return QCoreApplication::translate("Text", names[slot]);
}
inline QString flagOn()
{
    return QCoreApplication::translate("Text", "开");
}
inline QString flagOff()
{
    return QCoreApplication::translate("Text", "关");
}

// Parameter file
inline QString textFileFilter()
{
    return QCoreApplication::translate("Text", "文本文件 (*.txt)");
}
inline QString importDialogTitle()
{
    return QCoreApplication::translate("Text", "导入文本文件");
}
inline QString nothingSelectedForSave()
{
    return QCoreApplication::translate("Text", "未作任何需要保存的数据！");
}
inline QString fileSaved()
{
    return QCoreApplication::translate("Text", "文件保存成功");
}
inline QString fileSaveFailed()
{
    return QCoreApplication::translate("Text", "文件保存失败！");
}
inline QString fileMissing()
{
    return QCoreApplication::translate("Text", "文件不存在！");
}
inline QString badConfigFile()
{
    return QCoreApplication::translate("Text", "导入失败！错误的配置文件！");
}
// Why a parameter file is refused: the reason alone; the window puts "第 N 行：" in front of
// it, the command line "FILE:N: ".
inline QString fileLineReason(int line, const QString &reason)
{
    return QCoreApplication::translate("Text", "第 %1 行：%2").arg(line).arg(reason);
}
inline QString fileUnreadable()
{
    return QCoreApplication::translate("Text", "无法读取文件");
}
inline QString fileTooLong(int maxBytes)
{
    return QCoreApplication::translate("Text", "文件超过 %1 字节").arg(maxBytes);
}
inline QString fileBadEncoding()
{
    return QCoreApplication::translate("Text", "不是 GBK 或 UTF-8 编码的文字");
}
inline QString fileNoLineEnd()
{
    return QCoreApplication::translate("Text", "没有以 CR LF 结尾的行");
}
inline QString fileSlotCount(int count)
{
    return QCoreApplication::translate("Text", "有 %1 行参数，应为 21、22、38、43 或 59 行")
        .arg(count);
}
inline QString fileMissingColon()
{
    return QCoreApplication::translate("Text", "缺少“:”");
}
inline QString fileBadAddress(const QString &address)
{
    return QCoreApplication::translate("Text", "地址 %1 不是四位十六进制数").arg(address);
}
inline QString fileBadValue(const QString &value)
{
    return QCoreApplication::translate("Text", "数值“%1”不是整数").arg(value);
}
// `position` counts the file's parameters from 1.
inline QString fileWrongRegister(const QString &address, int position)
{
    return QCoreApplication::translate("Text", "地址 %1 不是第 %2 项参数的寄存器")
        .arg(address)
        .arg(position);
}

// Battery form
// List items, in list order (the slot stores the position).
inline QString batteryTypeUserDefined()
{
    return QCoreApplication::translate("Text", "自定义");
}
inline QString batteryTypeSealed()
{
    return QCoreApplication::translate("Text", "铅酸免维护");
}
inline QString batteryTypeGel()
{
    return QCoreApplication::translate("Text", "胶体");
}
inline QString batteryTypeFlooded()
{
    return QCoreApplication::translate("Text", "铅酸液体");
}
inline QString chargingModeCompensation()
{
    return QCoreApplication::translate("Text", "电压补偿");
}
inline QString chargingModeSoc()
{
    return QStringLiteral("SOC");
}
inline QString ratedVoltageAuto()
{
    return QCoreApplication::translate("Text", "自识别");
}
inline QString ratedVoltage12()
{
    return QStringLiteral("12V");
}
inline QString ratedVoltage24()
{
    return QStringLiteral("24V");
}
inline QString ratedVoltage36()
{
    return QStringLiteral("36V");
}
inline QString ratedVoltage48()
{
    return QStringLiteral("48V");
}
// Shown for a stage the battery type does not have (equalize voltage or duration of 0).
inline QString noStage()
{
    return QStringLiteral("--");
}
inline QString customRefused()
{
    return QCoreApplication::translate("Text", "目前状态不能为自定义");
}
inline QString autoLevelRefused()
{
    return QCoreApplication::translate("Text", "目前状态不能为自识别");
}
inline QString customCaution()
{
    return QCoreApplication::translate(
        "Text", "注意！在修改充电参数前查阅蓄电池相关的说明，避免对蓄电池造成损坏！");
}
inline QString badTypeAndLevel()
{
    return QCoreApplication::translate("Text", "蓄电池类型和额定电压等级设置不正确！");
}
// Closing a form with something typed or chosen and not applied.
inline QString applyChangesQuestion()
{
    return QCoreApplication::translate("Text", "参数已修改，是否应用？");
}
inline QString applyAnswer()
{
    return QCoreApplication::translate("Text", "应用");
}
inline QString dontApplyAnswer()
{
    return QCoreApplication::translate("Text", "不应用");
}
// Battery rules, in the order they are checked.
inline QString batteryTypeInvalid()
{
    return QCoreApplication::translate("Text", "蓄电池类型出错！");
}
inline QString capacityOutOfRange()
{
    return QCoreApplication::translate("Text", "蓄电池容量不在允许范围内！(0~9999)");
}
inline QString tempCompensationOutOfRange()
{
    return QCoreApplication::translate("Text", "温度补偿系数不在允许范围内！(-9~0)");
}
inline QString equalizeDurationOutOfRange()
{
    return QCoreApplication::translate("Text", "均衡维持时间不在允许范围内！(0~180)");
}
inline QString boostDurationOutOfRange()
{
    return QCoreApplication::translate("Text", "提升维持时间不在允许范围内！(10~180)");
}
inline QString dischargePercentOutOfRange()
{
    return QCoreApplication::translate("Text", "蓄电池放电不在允许范围内！(10~80)");
}
inline QString chargePercentOutOfRange()
{
    return QCoreApplication::translate("Text", "蓄电池充电不在允许范围内！(20~100)");
}
inline QString percentGapTooSmall()
{
    return QCoreApplication::translate("Text", "蓄电池充放电应满足：蓄电池充电≥蓄电池放电+10%");
}
inline QString overVoltageVsChargeLimit()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：超压断开电压＞充电限制电压");
}
inline QString chargeLimitVsEqualize()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：充电限制电压≥均衡充电电压");
}
inline QString equalizeVsBoost()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：均衡充电电压≥提升充电电压");
}
inline QString boostVsFloat()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：提升充电电压≥ 浮充充电电压");
}
inline QString floatVsBoostReconnect()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：浮充充电电压＞提升恢复电压");
}
inline QString overVoltageVsReconnect()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：超压断开电压＞超压断开恢复电压");
}
inline QString lowVoltageReconnectVsDisconnect()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：低压断开恢复电压＞低压断开电压");
}
inline QString lowVoltageDisconnectVsDischargeLimit()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：低压断开电压≥放电限制电压");
}
inline QString underVoltageReconnectVsWarning()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：欠压报警恢复电压＞欠压报警电压");
}
inline QString underVoltageWarningVsDischargeLimit()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：欠压报警电压≥放电限制电压");
}
inline QString boostReconnectVsLowVoltageReconnect()
{
    return QCoreApplication::translate("Text", "蓄电池电压应满足：提升恢复电压＞低压断开恢复电压");
}
inline QString voltageOutOfWindow()
{
    return QCoreApplication::translate("Text", "电压参数不在允许范围内！");
}
// The twelve voltages in register order (0x9003 to 0x900E), as the rules name them.
inline QStringList batteryVoltageNames()
{
    return {QCoreApplication::translate("Text", "超压断开电压"),
            QCoreApplication::translate("Text", "充电限制电压"),
            QCoreApplication::translate("Text", "超压断开恢复电压"),
            QCoreApplication::translate("Text", "均衡充电电压"),
            QCoreApplication::translate("Text", "提升充电电压"),
            QCoreApplication::translate("Text", "浮充充电电压"),
            QCoreApplication::translate("Text", "提升恢复电压"),
            QCoreApplication::translate("Text", "低压断开恢复电压"),
            QCoreApplication::translate("Text", "欠压报警恢复电压"),
            QCoreApplication::translate("Text", "欠压报警电压"),
            QCoreApplication::translate("Text", "低压断开电压"),
            QCoreApplication::translate("Text", "放电限制电压")};
}
// A voltage's order to another, as its tooltip says it.
inline QString mustExceed(const QString &other)
{
    return QCoreApplication::translate("Text", "须大于%1").arg(other);
}
inline QString mustNotBeBelow(const QString &other)
{
    return QCoreApplication::translate("Text", "不得小于%1").arg(other);
}
inline QString mustBeBelow(const QString &other)
{
    return QCoreApplication::translate("Text", "须小于%1").arg(other);
}
inline QString mustNotExceed(const QString &other)
{
    return QCoreApplication::translate("Text", "不得大于%1").arg(other);
}

// Tooltips of the forms' fields: unit and what "应用" allows at that moment. They are the
// fields' accessible descriptions too.
inline QString rangeToolTip(const QString &low, const QString &high, const QString &unit)
{
    return QCoreApplication::translate("Text", "允许范围：%1～%2 %3").arg(low, high, unit);
}
inline QString minutes()
{
    return QCoreApplication::translate("Text", "分钟");
}
// A battery voltage: the window of the rated level chosen (`level` names it, "24V"), whether
// gel may leave it at 0, and its order to the other voltages, one phrase each.
inline QString voltageToolTip(const QString &low, const QString &high, const QString &level,
                              bool zeroAllowed, const QStringList &relations)
{
    QString tip = QCoreApplication::translate("Text", "允许范围：%1～%2 V").arg(low, high);
    if (!level.isEmpty())
        tip += QCoreApplication::translate("Text", "（%1）").arg(level);
    if (zeroAllowed)
        tip += QCoreApplication::translate("Text", "，胶体可为 0");
    if (!relations.isEmpty())
        tip += u'\n' + relations.join(QCoreApplication::translate("Text", "；"));
    return tip;
}
// How the automatic level counts in the voltage window.
inline QString autoLevelWindow()
{
    return QCoreApplication::translate("Text", "自识别，按 12V");
}
inline QString batteryTypeToolTip()
{
    return QCoreApplication::translate("Text", "自定义：电压可修改，额定电压等级不能为自识别");
}
inline QString ratedVoltageToolTip()
{
    return QCoreApplication::translate(
        "Text", "电压允许范围随等级变化：每 12V 为 9.00～17.00 V，自识别按 12V");
}
inline QString chargingModeToolTip()
{
    return QCoreApplication::translate("Text", "SOC：蓄电池充电、放电百分比可修改");
}

// Load forms
inline QString lightOnVoltageOutOfRange()
{
    return QCoreApplication::translate("Text", "光控启动电压不在范围内！");
}
inline QString lightOffVoltageOutOfRange()
{
    return QCoreApplication::translate("Text", "光控关闭电压不在范围内！");
}
inline QString lightOnDelayOutOfRange()
{
    return QCoreApplication::translate("Text", "光控启动延时不在范围内！(0~99)");
}
inline QString lightOffDelayOutOfRange()
{
    return QCoreApplication::translate("Text", "光控关闭延时不在范围内！(0~99)");
}
// "应用" while no mode of the form is selected (a code the form does not have is stored).
inline QString chooseLoadMode()
{
    return QCoreApplication::translate("Text", "请选择负载控制模式！");
}
inline QString ratedCurrentToolTip()
{
    return QCoreApplication::translate("Text", "单位：A，两位小数");
}
inline QString percentToolTip()
{
    return QCoreApplication::translate("Text", "允许范围：0～100 %，每步 5 %");
}
inline QString timeOfDayToolTip()
{
    return QCoreApplication::translate("Text", "时刻：00:00:00～23:59:59");
}
inline QString durationToolTip()
{
    return QCoreApplication::translate("Text", "时长（时:分）：00:00～23:59");
}
inline QString lightPlusTimerMode1()
{
    return QCoreApplication::translate("Text", "光控+定时模式1");
}
inline QString lightPlusTimerMode2()
{
    return QCoreApplication::translate("Text", "光控+定时模式2");
}
// Accessible names of the load forms' controls without a caption of their own
inline QString secondTimerBoxName()
{
    return QCoreApplication::translate("Text", "第二组定时");
}
inline QString lightOnDelayName()
{
    return QCoreApplication::translate("Text", "光控启动延时（m）");
}
inline QString lightOffDelayName()
{
    return QCoreApplication::translate("Text", "光控关闭延时（m）");
}
inline QString manualPercentName()
{
    return QCoreApplication::translate("Text", "额定电流百分比");
}
inline QString timerPercentName(int pair)
{
    return QCoreApplication::translate("Text", "定时%1百分比").arg(pair);
}
inline QString modePeriodName(int mode, int period)
{
    return QCoreApplication::translate("Text", "模式%1定时时间段%2").arg(mode).arg(period);
}
inline QString modePeriodPercentName(int mode, int period)
{
    return QCoreApplication::translate("Text", "模式%1时间段%2百分比").arg(mode).arg(period);
}
inline QString limitPercentName()
{
    return QCoreApplication::translate("Text", "限流百分比");
}
inline QString modePictureName()
{
    return QCoreApplication::translate("Text", "模式图");
}
// Inside the mode picture
inline QString picturePeriod(int period)
{
    return QCoreApplication::translate("Text", "时段%1").arg(period);
}
inline QString pictureRemainingTime()
{
    return QCoreApplication::translate("Text", "剩余时间");
}

// Clock
inline QString manualAdjust()
{
    return QCoreApplication::translate("Text", "手动调整");
}
inline QString followLocalTime()
{
    return QCoreApplication::translate("Text", "本机时间");
}
inline QString datePickerName()
{
    return QCoreApplication::translate("Text", "日期");
}
inline QString timePickerName()
{
    return QCoreApplication::translate("Text", "时间");
}
inline QString programmerTimeName()
{
    return QCoreApplication::translate("Text", "编程器时间");
}
inline QString readSucceeded()
{
    return QCoreApplication::translate("Text", "读取成功！");
}
inline QString writeSucceeded()
{
    return QCoreApplication::translate("Text", "写入成功！");
}

// Command line (velmora-cli). Usage lines and help; the operations' own messages are above.
inline QString cliVersion()
{
    return QStringLiteral("velmora-cli " VELMORA_VERSION);
}
inline QString cliUsage()
{
    return QCoreApplication::translate(
        "Text", "用法: velmora-cli <ports|read|update|clear|clock|check|diff> [选项]"
                "（velmora-cli --help 显示说明）");
}
inline QString cliPortsUsage()
{
    return QCoreApplication::translate("Text", "用法: velmora-cli ports");
}
inline QString cliReadUsage()
{
    return QCoreApplication::translate("Text", "用法: velmora-cli read --port P [-o FILE]");
}
inline QString cliUpdateUsage()
{
    return QCoreApplication::translate("Text", "用法: velmora-cli update --port P [--verify] FILE");
}
inline QString cliClearUsage()
{
    return QCoreApplication::translate("Text", "用法: velmora-cli clear --port P");
}
inline QString cliClockUsage()
{
    return QCoreApplication::translate(
        "Text", "用法: velmora-cli clock --port P [--set now|\"YYYY-MM-DD HH:MM:SS\"]");
}
inline QString cliCheckUsage()
{
    return QCoreApplication::translate("Text", "用法: velmora-cli check FILE");
}
inline QString cliDiffUsage()
{
    return QCoreApplication::translate("Text", "用法: velmora-cli diff --port P FILE");
}
inline QString cliProgramHelp()
{
    return QCoreApplication::translate(
        "Text",
        "用法: velmora-cli <命令> [选项]\n"
        "\n"
        "在命令行中运行与窗口相同的编程器操作。\n"
        "\n"
        "命令:\n"
        "  ports             列出串口，每行一个（与窗口的串口列表相同）\n"
        "  read              读取编程器，输出参数文件\n"
        "  update            用参数文件更新编程器\n"
        "  clear             清除编程器\n"
        "  clock             读取或设置编程器时间\n"
        "  check             按参数界面“应用”时的规则检查参数文件\n"
        "  diff              比较编程器中的参数与参数文件\n"
        "\n"
        "选项:\n"
        "  -h, --help        显示帮助；velmora-cli <命令> --help 显示该命令的帮助\n"
        "  --version         显示版本\n"
        "  -v, --verbose     在标准错误输出显示每一帧、进度和用时\n"
        "  --lang en|zh      消息和帮助的语言（默认按 VELMORA_LANG，否则中文）\n"
        "  --json            标准输出改为每台编程器一行 JSON 对象\n"
        "\n"
        "update、clear、clock 和 diff 可同时对多台编程器运行，例如:\n"
        "  velmora-cli update --port /dev/ttyUSB0,/dev/ttyUSB1 --port /dev/ttyUSB2 block.txt\n"
        "\n"
        "标准输出只有数据。退出状态: 0 成功；1 操作失败（原因在标准错误输出）；2 用法错误。\n"
        "diff 的退出状态与 diff(1) 相同: 0 相同；1 不同；2 出错。\n");
}
inline QString cliPortOptionHelp()
{
    return QCoreApplication::translate(
        "Text", "  --port P          串口: velmora-cli ports 列出的名称，或设备路径\n");
}
inline QString cliPortsHelp()
{
    return QCoreApplication::translate("Text",
                                       "列出串口，每行一个: 本机的串口按编号排列，然后是环境变量\n"
                                       "VELMORA_EXTRA_PORTS 中的设备路径。\n");
}
inline QString cliReadHelp()
{
    return QCoreApplication::translate(
        "Text", "像“读取编程器”一样读取编程器，输出所读数据的参数文件（产品名称、参数组和\n"
                "参数），与读取后“保存参数”写出的内容逐字节相同。\n");
}
inline QString cliReadOptions()
{
    return QCoreApplication::translate(
        "Text", "  -o, --output FILE 写入 FILE，写完整后才替换原文件；不给或为 - 时写到标准输出\n");
}
inline QString cliUpdateHelp()
{
    return QCoreApplication::translate(
        "Text", "像“导入参数”一样导入 FILE（被拒绝的文件不发送任何数据），再像“更新编程器”\n"
                "一样按文件的参数组和产品名称更新编程器。\n");
}
inline QString cliUpdateOptions()
{
    return QCoreApplication::translate("Text",
                                       "  --verify          更新后读回编程器中的数据，逐字比较\n");
}
inline QString cliClearHelp()
{
    return QCoreApplication::translate("Text", "像“清除编程器”一样清除编程器中存储的参数。\n");
}
inline QString cliClockHelp()
{
    return QCoreApplication::translate(
        "Text", "不带 --set 时读取编程器时间，按时间界面的格式输出，如 2016/3/5   14:7:9。\n");
}
inline QString cliClockOptions()
{
    return QCoreApplication::translate(
        "Text", "  --set now         把编程器时间设为本机当前时间，并输出写入的时间\n"
                "  --set \"YYYY-MM-DD HH:MM:SS\"\n"
                "                    设为给定的时间（2000 至 2099 年），并输出写入的时间\n");
}
inline QString cliCheckHelp()
{
    return QCoreApplication::translate(
        "Text",
        "像“导入参数”一样导入 FILE，对文件所含的参数组运行参数界面“应用”时的全部检查\n"
        "（充放电参数规则，负载控制模式和负载参数的四个范围）。全部通过时无输出，退出状态 0；\n"
        "否则在标准错误输出第一个不通过的检查，退出状态 1。文件被拒绝时，第二行以\n"
        "FILE:行号: 原因 说明错在哪里。\n");
}
inline QString cliDiffHelp()
{
    return QCoreApplication::translate(
        "Text", "像“导入参数”一样导入 FILE，像“比较编程器”一样读取编程器（不改变任何内容），\n"
                "每处不同输出一行: 参数名、编程器中的值、文件中的值，以制表符分隔，单位与参数界面\n"
                "相同。退出状态: 0 相同；1 不同；2 出错（用法错误、文件被拒绝或读取失败，原因在\n"
                "标准错误输出）。\n");
}
inline QString cliPortsOptionHelp()
{
    return QCoreApplication::translate(
        "Text", "  --port P[,P...]   串口；可重复，或以逗号分隔列出多台编程器，各自同时运行，\n"
                "                    每台完成时在标准输出输出一行: 串口、ok 或 failed 和原因\n");
}
inline QString cliJsonOptionHelp()
{
    return QCoreApplication::translate(
        "Text", "  --json            标准输出改为每台编程器一行 JSON 对象（port、ok、message、\n"
                "                    elapsed_ms 和命令的数据），见 man velmora-cli\n");
}
inline QString cliVerboseOptionHelp()
{
    return QCoreApplication::translate(
        "Text", "  -v, --verbose     在标准错误输出显示每一帧、进度和用时\n");
}
// Wrong usage: "velmora-cli: " and one of these, then the usage line.
inline QString cliNoCommand()
{
    return QCoreApplication::translate("Text", "缺少命令");
}
inline QString cliUnknownCommand(const QString &command)
{
    return QCoreApplication::translate("Text", "未知命令: %1").arg(command);
}
inline QString cliUnknownOption(const QString &option)
{
    return QCoreApplication::translate("Text", "未知选项: %1").arg(option);
}
inline QString cliMissingValue(const QString &option)
{
    return QCoreApplication::translate("Text", "选项 %1 缺少值").arg(option);
}
inline QString cliRepeatedOption(const QString &option)
{
    return QCoreApplication::translate("Text", "选项 %1 重复").arg(option);
}
inline QString cliBadLanguage(const QString &code)
{
    return QCoreApplication::translate("Text", "语言应为 en 或 zh: %1").arg(code);
}
// After a run on several ports, on standard error.
inline QString cliBatchSummary(int succeeded, int failed)
{
    return QCoreApplication::translate("Text", "%1 台成功，%2 台失败").arg(succeeded).arg(failed);
}
inline QString cliMissingPort()
{
    return QCoreApplication::translate("Text", "缺少 --port");
}
inline QString cliMissingFile()
{
    return QCoreApplication::translate("Text", "缺少文件名");
}
inline QString cliExtraArgument(const QString &argument)
{
    return QCoreApplication::translate("Text", "多余的参数: %1").arg(argument);
}
inline QString cliBadTime(const QString &text)
{
    return QCoreApplication::translate(
               "Text", "时间无效: %1（应为 now 或 \"YYYY-MM-DD HH:MM:SS\"，2000 至 2099 年）")
        .arg(text);
}
// --verify: the first word read back that differs from the word written.
inline QString verifyNameMismatch()
{
    return QCoreApplication::translate("Text", "校验失败！产品名称不一致！");
}
inline QString verifyCountMismatch()
{
    return QCoreApplication::translate("Text", "校验失败！参数个数不一致！");
}
// `position` counts the stored parameters from 1.
inline QString verifyValueMismatch(int position, const QString &address)
{
    return QCoreApplication::translate("Text", "校验失败！第%1个参数（%2）的值不一致！")
        .arg(QString::number(position), address);
}
inline QString verifyChecksumMismatch()
{
    return QCoreApplication::translate("Text", "校验失败！校验和不一致！");
}
// --verbose
inline QString cliOpeningPort(const QString &port)
{
    return QCoreApplication::translate("Text", "打开串口 %1").arg(port);
}
inline QString cliSent(const QString &frameText)
{
    return QCoreApplication::translate("Text", "发送 %1").arg(frameText);
}
inline QString cliReceived(const QString &replyText, qint64 ms)
{
    return QCoreApplication::translate("Text", "接收 %1（%2 ms）").arg(replyText).arg(ms);
}
inline QString cliNoReply(qint64 ms)
{
    return QCoreApplication::translate("Text", "无应答（%1 ms）").arg(ms);
}
inline QString cliElapsed(qint64 ms)
{
    return QCoreApplication::translate("Text", "用时 %1 ms").arg(ms);
}

// Resource library loader
inline QString invalidDllResource()
{
    return QCoreApplication::translate("Text", "指定的资源不是有效的DLL文件!");
}
inline QString invalidDllCaption()
{
    return QCoreApplication::translate("Text", "装入动态链接库出错");
}
// `library` is the name the image's import table gives.
inline QString dllLoadFailed(const QString &library)
{
    return QCoreApplication::translate("Text", "装入动态链接库%1出错!").arg(library);
}
inline QString dllLoadFailedCaption()
{
    return QCoreApplication::translate("Text", "错误");
}

} // namespace Text
