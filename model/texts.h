#pragma once

#include <QString>
#include <QStringList>

// Every text the program shows or writes on its own, spelled exactly as the users know them.
// Captions of fixed controls live in the .ui layouts; texts that code sets or compares are here.
// VELMORA_VERSION comes from the CMake project version, the one place it is set.
namespace Text {

// Application and main window
inline QString AppName()
{
    return QStringLiteral("KTX");
}
inline QString MainWindowCaption()
{
    return QStringLiteral("Velmora(V" VELMORA_VERSION ")");
}
inline QString AboutMenuEntry()
{
    return QStringLiteral("关于 KTX(&A)...");
}
inline QString AboutCaption()
{
    return QStringLiteral("About KTX");
}
inline QString AboutText()
{
    return QStringLiteral("KTX 1.0 ");
}
// The program's version, on its own line under the fixed text.
inline QString AboutVersion()
{
    return QStringLiteral("Velmora " VELMORA_VERSION);
}
inline QString AboutOk()
{
    return QStringLiteral("确定");
}
inline QString GeneralLoadCaption()
{
    return QStringLiteral("通用负载参数");
}
inline QString LedLoadCaption()
{
    return QStringLiteral("LED负载参数");
}
// Closing the window with parameters not kept anywhere: a question with three answers.
inline QString SaveChangesQuestion()
{
    return QStringLiteral("参数已修改，是否保存？");
}
inline QString SaveAnswer()
{
    return QStringLiteral("保存");
}
inline QString DontSaveAnswer()
{
    return QStringLiteral("不保存");
}
// The third answer of every question box.
inline QString Cancel()
{
    return QStringLiteral("取消");
}

// Accessible names of controls without a caption, and roles of labels whose text changes
inline QString BatteryGroupBoxName()
{
    return QStringLiteral("充放电控制参数组");
}
inline QString LoadGroupBoxName()
{
    return QStringLiteral("负载参数组");
}
inline QString PortListName()
{
    return QStringLiteral("串口列表");
}
inline QString ProductSelectorName()
{
    return QStringLiteral("产品类型");
}
inline QString ProductLabelRole()
{
    return QStringLiteral("产品名称");
}

// Serial port
inline QString OpenPort()
{
    return QStringLiteral("打开串口");
}
inline QString ClosePort()
{
    return QStringLiteral("关闭串口");
}
inline QString OpenPortFailed()
{
    return QStringLiteral("打开串口失败");
}
inline QString PortUnavailable()
{
    return QStringLiteral("串口不可用或未打开！");
}
// The open port's device went away while no command was running.
inline QString PortDisconnected()
{
    return QStringLiteral("串口已断开！");
}
inline QString BadHexData()
{
    return QStringLiteral("错误的十六进制数据!");
}

// Programmer operations
inline QString ReadTimeout()
{
    return QStringLiteral("读取超时！");
}
inline QString WriteTimeout()
{
    return QStringLiteral("写入超时！");
}
inline QString ReadNoData()
{
    return QStringLiteral("读取失败，设备无数据！");
}
inline QString BadParameterAddress()
{
    return QStringLiteral("参数地址出错！");
}
inline QString ValueOutOfRange()
{
    return QStringLiteral("参数值超出范围！");
}
inline QString ReadComplete()
{
    return QStringLiteral("读取完成！");
}
inline QString WriteDataSucceeded()
{
    return QStringLiteral("写入数据成功！");
}
inline QString ClearComplete()
{
    return QStringLiteral("清除完成");
}
inline QString ChooseProductType()
{
    return QStringLiteral("请选择产品类型！");
}
inline QString NothingSelectedForUpdate()
{
    return QStringLiteral("未选中任何需要更新的参数！");
}

// Parameter file
inline QString TextFileFilter()
{
    return QStringLiteral("文本文件 (*.txt)");
}
inline QString ImportDialogTitle()
{
    return QStringLiteral("导入文本文件");
}
inline QString NothingSelectedForSave()
{
    return QStringLiteral("未作任何需要保存的数据！");
}
inline QString FileSaved()
{
    return QStringLiteral("文件保存成功");
}
inline QString FileSaveFailed()
{
    return QStringLiteral("文件保存失败！");
}
inline QString FileMissing()
{
    return QStringLiteral("文件不存在！");
}
inline QString BadConfigFile()
{
    return QStringLiteral("导入失败！错误的配置文件！");
}
// Why a parameter file is refused: the reason alone; the window puts "第 N 行：" in front of
// it, the command line "FILE:N: ".
inline QString FileLineReason(int line, const QString &reason)
{
    return QStringLiteral("第 %1 行：%2").arg(line).arg(reason);
}
inline QString FileUnreadable()
{
    return QStringLiteral("无法读取文件");
}
inline QString FileTooLong(int maxBytes)
{
    return QStringLiteral("文件超过 %1 字节").arg(maxBytes);
}
inline QString FileBadEncoding()
{
    return QStringLiteral("不是 GBK 或 UTF-8 编码的文字");
}
inline QString FileNoLineEnd()
{
    return QStringLiteral("没有以 CR LF 结尾的行");
}
inline QString FileSlotCount(int count)
{
    return QStringLiteral("有 %1 行参数，应为 21、22、38、43 或 59 行").arg(count);
}
inline QString FileMissingColon()
{
    return QStringLiteral("缺少“:”");
}
inline QString FileBadAddress(const QString &address)
{
    return QStringLiteral("地址 %1 不是四位十六进制数").arg(address);
}
inline QString FileBadValue(const QString &value)
{
    return QStringLiteral("数值“%1”不是整数").arg(value);
}
// `position` counts the file's parameters from 1.
inline QString FileWrongRegister(const QString &address, int position)
{
    return QStringLiteral("地址 %1 不是第 %2 项参数的寄存器").arg(address).arg(position);
}

// Battery form
// List items, in list order (the slot stores the position).
inline QString BatteryTypeUserDefined()
{
    return QStringLiteral("自定义");
}
inline QString BatteryTypeSealed()
{
    return QStringLiteral("铅酸免维护");
}
inline QString BatteryTypeGel()
{
    return QStringLiteral("胶体");
}
inline QString BatteryTypeFlooded()
{
    return QStringLiteral("铅酸液体");
}
inline QString ChargingModeCompensation()
{
    return QStringLiteral("电压补偿");
}
inline QString ChargingModeSoc()
{
    return QStringLiteral("SOC");
}
inline QString RatedVoltageAuto()
{
    return QStringLiteral("自识别");
}
inline QString RatedVoltage12()
{
    return QStringLiteral("12V");
}
inline QString RatedVoltage24()
{
    return QStringLiteral("24V");
}
inline QString RatedVoltage36()
{
    return QStringLiteral("36V");
}
inline QString RatedVoltage48()
{
    return QStringLiteral("48V");
}
// Shown for a stage the battery type does not have (equalize voltage or duration of 0).
inline QString NoStage()
{
    return QStringLiteral("--");
}
inline QString CustomRefused()
{
    return QStringLiteral("目前状态不能为自定义");
}
inline QString AutoLevelRefused()
{
    return QStringLiteral("目前状态不能为自识别");
}
inline QString CustomCaution()
{
    return QStringLiteral("注意！在修改充电参数前查阅蓄电池相关的说明，避免对蓄电池造成损坏！");
}
inline QString BadTypeAndLevel()
{
    return QStringLiteral("蓄电池类型和额定电压等级设置不正确！");
}
// Closing a form with something typed or chosen and not applied.
inline QString ApplyChangesQuestion()
{
    return QStringLiteral("参数已修改，是否应用？");
}
inline QString ApplyAnswer()
{
    return QStringLiteral("应用");
}
inline QString DontApplyAnswer()
{
    return QStringLiteral("不应用");
}
// Battery rules, in the order they are checked.
inline QString BatteryTypeInvalid()
{
    return QStringLiteral("蓄电池类型出错！");
}
inline QString CapacityOutOfRange()
{
    return QStringLiteral("蓄电池容量不在允许范围内！(0~9999)");
}
inline QString TempCompensationOutOfRange()
{
    return QStringLiteral("温度补偿系数不在允许范围内！(-9~0)");
}
inline QString EqualizeDurationOutOfRange()
{
    return QStringLiteral("均衡维持时间不在允许范围内！(0~180)");
}
inline QString BoostDurationOutOfRange()
{
    return QStringLiteral("提升维持时间不在允许范围内！(10~180)");
}
inline QString DischargePercentOutOfRange()
{
    return QStringLiteral("蓄电池放电不在允许范围内！(10~80)");
}
inline QString ChargePercentOutOfRange()
{
    return QStringLiteral("蓄电池充电不在允许范围内！(20~100)");
}
inline QString PercentGapTooSmall()
{
    return QStringLiteral("蓄电池充放电应满足：蓄电池充电≥蓄电池放电+10%");
}
inline QString OverVoltageVsChargeLimit()
{
    return QStringLiteral("蓄电池电压应满足：超压断开电压＞充电限制电压");
}
inline QString ChargeLimitVsEqualize()
{
    return QStringLiteral("蓄电池电压应满足：充电限制电压≥均衡充电电压");
}
inline QString EqualizeVsBoost()
{
    return QStringLiteral("蓄电池电压应满足：均衡充电电压≥提升充电电压");
}
inline QString BoostVsFloat()
{
    return QStringLiteral("蓄电池电压应满足：提升充电电压≥ 浮充充电电压");
}
inline QString FloatVsBoostReconnect()
{
    return QStringLiteral("蓄电池电压应满足：浮充充电电压＞提升恢复电压");
}
inline QString OverVoltageVsReconnect()
{
    return QStringLiteral("蓄电池电压应满足：超压断开电压＞超压断开恢复电压");
}
inline QString LowVoltageReconnectVsDisconnect()
{
    return QStringLiteral("蓄电池电压应满足：低压断开恢复电压＞低压断开电压");
}
inline QString LowVoltageDisconnectVsDischargeLimit()
{
    return QStringLiteral("蓄电池电压应满足：低压断开电压≥放电限制电压");
}
inline QString UnderVoltageReconnectVsWarning()
{
    return QStringLiteral("蓄电池电压应满足：欠压报警恢复电压＞欠压报警电压");
}
inline QString UnderVoltageWarningVsDischargeLimit()
{
    return QStringLiteral("蓄电池电压应满足：欠压报警电压≥放电限制电压");
}
inline QString BoostReconnectVsLowVoltageReconnect()
{
    return QStringLiteral("蓄电池电压应满足：提升恢复电压＞低压断开恢复电压");
}
inline QString VoltageOutOfWindow()
{
    return QStringLiteral("电压参数不在允许范围内！");
}
// The twelve voltages in register order (0x9003 to 0x900E), as the rules name them.
inline QStringList BatteryVoltageNames()
{
    return {QStringLiteral("超压断开电压"),     QStringLiteral("充电限制电压"),
            QStringLiteral("超压断开恢复电压"), QStringLiteral("均衡充电电压"),
            QStringLiteral("提升充电电压"),     QStringLiteral("浮充充电电压"),
            QStringLiteral("提升恢复电压"),     QStringLiteral("低压断开恢复电压"),
            QStringLiteral("欠压报警恢复电压"), QStringLiteral("欠压报警电压"),
            QStringLiteral("低压断开电压"),     QStringLiteral("放电限制电压")};
}
// A voltage's order to another, as its tooltip says it.
inline QString MustExceed(const QString &other)
{
    return QStringLiteral("须大于%1").arg(other);
}
inline QString MustNotBeBelow(const QString &other)
{
    return QStringLiteral("不得小于%1").arg(other);
}
inline QString MustBeBelow(const QString &other)
{
    return QStringLiteral("须小于%1").arg(other);
}
inline QString MustNotExceed(const QString &other)
{
    return QStringLiteral("不得大于%1").arg(other);
}

// Tooltips of the forms' fields: unit and what "应用" allows at that moment. They are the
// fields' accessible descriptions too.
inline QString RangeToolTip(const QString &low, const QString &high, const QString &unit)
{
    return QStringLiteral("允许范围：%1～%2 %3").arg(low, high, unit);
}
inline QString Minutes()
{
    return QStringLiteral("分钟");
}
// A battery voltage: the window of the rated level chosen (`level` names it, "24V"), whether
// gel may leave it at 0, and its order to the other voltages, one phrase each.
inline QString VoltageToolTip(const QString &low, const QString &high, const QString &level,
                              bool zeroAllowed, const QStringList &relations)
{
    QString tip = QStringLiteral("允许范围：%1～%2 V").arg(low, high);
    if (!level.isEmpty())
        tip += QStringLiteral("（%1）").arg(level);
    if (zeroAllowed)
        tip += QStringLiteral("，胶体可为 0");
    if (!relations.isEmpty())
        tip += u'\n' + relations.join(QStringLiteral("；"));
    return tip;
}
// How the automatic level counts in the voltage window.
inline QString AutoLevelWindow()
{
    return QStringLiteral("自识别，按 12V");
}
inline QString BatteryTypeToolTip()
{
    return QStringLiteral("自定义：电压可修改，额定电压等级不能为自识别");
}
inline QString RatedVoltageToolTip()
{
    return QStringLiteral("电压允许范围随等级变化：每 12V 为 9.00～17.00 V，自识别按 12V");
}
inline QString ChargingModeToolTip()
{
    return QStringLiteral("SOC：蓄电池充电、放电百分比可修改");
}

// Load forms
inline QString LightOnVoltageOutOfRange()
{
    return QStringLiteral("光控启动电压不在范围内！");
}
inline QString LightOffVoltageOutOfRange()
{
    return QStringLiteral("光控关闭电压不在范围内！");
}
inline QString LightOnDelayOutOfRange()
{
    return QStringLiteral("光控启动延时不在范围内！(0~99)");
}
inline QString LightOffDelayOutOfRange()
{
    return QStringLiteral("光控关闭延时不在范围内！(0~99)");
}
// "应用" while no mode of the form is selected (a code the form does not have is stored).
inline QString ChooseLoadMode()
{
    return QStringLiteral("请选择负载控制模式！");
}
inline QString RatedCurrentToolTip()
{
    return QStringLiteral("单位：A，两位小数");
}
inline QString PercentToolTip()
{
    return QStringLiteral("允许范围：0～100 %，每步 5 %");
}
inline QString TimeOfDayToolTip()
{
    return QStringLiteral("时刻：00:00:00～23:59:59");
}
inline QString DurationToolTip()
{
    return QStringLiteral("时长（时:分）：00:00～23:59");
}
inline QString LightPlusTimerMode1()
{
    return QStringLiteral("光控+定时模式1");
}
inline QString LightPlusTimerMode2()
{
    return QStringLiteral("光控+定时模式2");
}
// Accessible names of the load forms' controls without a caption of their own
inline QString SecondTimerBoxName()
{
    return QStringLiteral("第二组定时");
}
inline QString LightOnDelayName()
{
    return QStringLiteral("光控启动延时（m）");
}
inline QString LightOffDelayName()
{
    return QStringLiteral("光控关闭延时（m）");
}
inline QString ManualPercentName()
{
    return QStringLiteral("额定电流百分比");
}
inline QString TimerPercentName(int pair)
{
    return QStringLiteral("定时%1百分比").arg(pair);
}
inline QString ModePeriodName(int mode, int period)
{
    return QStringLiteral("模式%1定时时间段%2").arg(mode).arg(period);
}
inline QString ModePeriodPercentName(int mode, int period)
{
    return QStringLiteral("模式%1时间段%2百分比").arg(mode).arg(period);
}
inline QString LimitPercentName()
{
    return QStringLiteral("限流百分比");
}
inline QString ModePictureName()
{
    return QStringLiteral("模式图");
}
// Inside the mode picture
inline QString PicturePeriod(int period)
{
    return QStringLiteral("时段%1").arg(period);
}
inline QString PictureRemainingTime()
{
    return QStringLiteral("剩余时间");
}

// Clock
inline QString ManualAdjust()
{
    return QStringLiteral("手动调整");
}
inline QString FollowLocalTime()
{
    return QStringLiteral("本机时间");
}
inline QString DatePickerName()
{
    return QStringLiteral("日期");
}
inline QString TimePickerName()
{
    return QStringLiteral("时间");
}
inline QString ProgrammerTimeName()
{
    return QStringLiteral("编程器时间");
}
inline QString ReadSucceeded()
{
    return QStringLiteral("读取成功！");
}
inline QString WriteSucceeded()
{
    return QStringLiteral("写入成功！");
}

// Command line (velmora-cli). Usage lines and help; the operations' own messages are above.
inline QString CliVersion()
{
    return QStringLiteral("velmora-cli " VELMORA_VERSION);
}
inline QString CliUsage()
{
    return QStringLiteral("用法: velmora-cli <ports|read|update|clear|clock|check> [选项]"
                          "（velmora-cli --help 显示说明）");
}
inline QString CliPortsUsage()
{
    return QStringLiteral("用法: velmora-cli ports");
}
inline QString CliReadUsage()
{
    return QStringLiteral("用法: velmora-cli read --port P [-o FILE]");
}
inline QString CliUpdateUsage()
{
    return QStringLiteral("用法: velmora-cli update --port P [--verify] FILE");
}
inline QString CliClearUsage()
{
    return QStringLiteral("用法: velmora-cli clear --port P");
}
inline QString CliClockUsage()
{
    return QStringLiteral("用法: velmora-cli clock --port P [--set now|\"YYYY-MM-DD HH:MM:SS\"]");
}
inline QString CliCheckUsage()
{
    return QStringLiteral("用法: velmora-cli check FILE");
}
inline QString CliProgramHelp()
{
    return QStringLiteral(
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
        "\n"
        "选项:\n"
        "  -h, --help        显示帮助；velmora-cli <命令> --help 显示该命令的帮助\n"
        "  --version         显示版本\n"
        "  -v, --verbose     在标准错误输出显示每一帧、进度和用时\n"
        "\n"
        "标准输出只有数据。退出状态: 0 成功；1 操作失败（原因在标准错误输出）；2 用法错误。\n");
}
inline QString CliPortOptionHelp()
{
    return QStringLiteral("  --port P          串口: velmora-cli ports 列出的名称，或设备路径\n");
}
inline QString CliPortsHelp()
{
    return QStringLiteral("列出串口，每行一个: 本机的串口按编号排列，然后是环境变量\n"
                          "VELMORA_EXTRA_PORTS 中的设备路径。\n");
}
inline QString CliReadHelp()
{
    return QStringLiteral(
        "像“读取编程器”一样读取编程器，输出所读数据的参数文件（产品名称、参数组和\n"
        "参数），与读取后“保存参数”写出的内容逐字节相同。\n");
}
inline QString CliReadOptions()
{
    return QStringLiteral(
        "  -o, --output FILE 写入 FILE，写完整后才替换原文件；不给或为 - 时写到标准输出\n");
}
inline QString CliUpdateHelp()
{
    return QStringLiteral(
        "像“导入参数”一样导入 FILE（被拒绝的文件不发送任何数据），再像“更新编程器”\n"
        "一样按文件的参数组和产品名称更新编程器。\n");
}
inline QString CliUpdateOptions()
{
    return QStringLiteral("  --verify          更新后读回编程器中的数据，逐字比较\n");
}
inline QString CliClearHelp()
{
    return QStringLiteral("像“清除编程器”一样清除编程器中存储的参数。\n");
}
inline QString CliClockHelp()
{
    return QStringLiteral(
        "不带 --set 时读取编程器时间，按时间界面的格式输出，如 2016/3/5   14:7:9。\n");
}
inline QString CliClockOptions()
{
    return QStringLiteral(
        "  --set now         把编程器时间设为本机当前时间，并输出写入的时间\n"
        "  --set \"YYYY-MM-DD HH:MM:SS\"\n"
        "                    设为给定的时间（2000 至 2099 年），并输出写入的时间\n");
}
inline QString CliCheckHelp()
{
    return QStringLiteral(
        "像“导入参数”一样导入 FILE，对文件所含的参数组运行参数界面“应用”时的全部检查\n"
        "（充放电参数规则，负载控制模式和负载参数的四个范围）。全部通过时无输出，退出状态 0；\n"
        "否则在标准错误输出第一个不通过的检查，退出状态 1。文件被拒绝时，第二行以\n"
        "FILE:行号: 原因 说明错在哪里。\n");
}
inline QString CliVerboseOptionHelp()
{
    return QStringLiteral("  -v, --verbose     在标准错误输出显示每一帧、进度和用时\n");
}
// Wrong usage: "velmora-cli: " and one of these, then the usage line.
inline QString CliNoCommand()
{
    return QStringLiteral("缺少命令");
}
inline QString CliUnknownCommand(const QString &command)
{
    return QStringLiteral("未知命令: %1").arg(command);
}
inline QString CliUnknownOption(const QString &option)
{
    return QStringLiteral("未知选项: %1").arg(option);
}
inline QString CliMissingValue(const QString &option)
{
    return QStringLiteral("选项 %1 缺少值").arg(option);
}
inline QString CliRepeatedOption(const QString &option)
{
    return QStringLiteral("选项 %1 重复").arg(option);
}
inline QString CliMissingPort()
{
    return QStringLiteral("缺少 --port");
}
inline QString CliMissingFile()
{
    return QStringLiteral("缺少文件名");
}
inline QString CliExtraArgument(const QString &argument)
{
    return QStringLiteral("多余的参数: %1").arg(argument);
}
inline QString CliBadTime(const QString &text)
{
    return QStringLiteral("时间无效: %1（应为 now 或 \"YYYY-MM-DD HH:MM:SS\"，2000 至 2099 年）")
        .arg(text);
}
// --verify: the first word read back that differs from the word written.
inline QString VerifyNameMismatch()
{
    return QStringLiteral("校验失败！产品名称不一致！");
}
inline QString VerifyCountMismatch()
{
    return QStringLiteral("校验失败！参数个数不一致！");
}
// `position` counts the stored parameters from 1.
inline QString VerifyValueMismatch(int position, const QString &address)
{
    return QStringLiteral("校验失败！第%1个参数（%2）的值不一致！")
        .arg(QString::number(position), address);
}
inline QString VerifyChecksumMismatch()
{
    return QStringLiteral("校验失败！校验和不一致！");
}
// --verbose
inline QString CliOpeningPort(const QString &port)
{
    return QStringLiteral("打开串口 %1").arg(port);
}
inline QString CliSent(const QString &frameText)
{
    return QStringLiteral("发送 %1").arg(frameText);
}
inline QString CliReceived(const QString &replyText, qint64 ms)
{
    return QStringLiteral("接收 %1（%2 ms）").arg(replyText).arg(ms);
}
inline QString CliNoReply(qint64 ms)
{
    return QStringLiteral("无应答（%1 ms）").arg(ms);
}
inline QString CliElapsed(qint64 ms)
{
    return QStringLiteral("用时 %1 ms").arg(ms);
}

// Resource library loader
inline QString InvalidDllResource()
{
    return QStringLiteral("指定的资源不是有效的DLL文件!");
}
inline QString InvalidDllCaption()
{
    return QStringLiteral("装入动态链接库出错");
}
// `library` is the name the image's import table gives.
inline QString DllLoadFailed(const QString &library)
{
    return QStringLiteral("装入动态链接库%1出错!").arg(library);
}
inline QString DllLoadFailedCaption()
{
    return QStringLiteral("错误");
}

} // namespace Text
