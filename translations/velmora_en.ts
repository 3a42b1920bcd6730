<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About KTX</source>
        <translation>About KTX</translation>
    </message>
    <message>
        <source>KTX 1.0 </source>
        <translation>KTX 1.0 </translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>BatteryParameterDialog</name>
    <message>
        <source>充放电参数配置</source>
        <translation>Battery parameters</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>当前</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>蓄电池类型</source>
        <translation>Battery type</translation>
    </message>
    <message>
        <source>充电方式</source>
        <translation>Charging mode</translation>
    </message>
    <message>
        <source>蓄电池容量(Ah)</source>
        <translation>Battery capacity (Ah)</translation>
    </message>
    <message>
        <source>温度补偿系数(mV/℃/2V)</source>
        <translation>Temperature compensation (mV/℃/2V)</translation>
    </message>
    <message>
        <source>超压断开电压(V)</source>
        <translation>Over-voltage disconnect (V)</translation>
    </message>
    <message>
        <source>超压断开恢复电压(V)</source>
        <translation>Over-voltage reconnect (V)</translation>
    </message>
    <message>
        <source>均衡充电电压(V)</source>
        <translation>Equalize voltage (V)</translation>
    </message>
    <message>
        <source>提升充电电压(V)</source>
        <translation>Boost voltage (V)</translation>
    </message>
    <message>
        <source>浮充充电电压(V)</source>
        <translation>Float voltage (V)</translation>
    </message>
    <message>
        <source>提升恢复电压(V)</source>
        <translation>Boost reconnect voltage (V)</translation>
    </message>
    <message>
        <source>蓄电池充电(%)</source>
        <translation>Battery charge (%)</translation>
    </message>
    <message>
        <source>额定电压等级</source>
        <translation>Rated voltage</translation>
    </message>
    <message>
        <source>均衡维持时间(M)</source>
        <translation>Equalize duration (min)</translation>
    </message>
    <message>
        <source>提升维持时间(M)</source>
        <translation>Boost duration (min)</translation>
    </message>
    <message>
        <source>充电限制电压(V)</source>
        <translation>Charge limit voltage (V)</translation>
    </message>
    <message>
        <source>放电限制电压(V)</source>
        <translation>Discharge limit voltage (V)</translation>
    </message>
    <message>
        <source>低压断开电压(V)</source>
        <translation>Low-voltage disconnect (V)</translation>
    </message>
    <message>
        <source>低压断开恢复电压(V)</source>
        <translation>Low-voltage reconnect (V)</translation>
    </message>
    <message>
        <source>欠压报警电压(V)</source>
        <translation>Under-voltage warning (V)</translation>
    </message>
    <message>
        <source>欠压报警恢复电压(V)</source>
        <translation>Under-voltage warning reconnect (V)</translation>
    </message>
    <message>
        <source>蓄电池放电(%)</source>
        <translation>Battery discharge (%)</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ClockDialog</name>
    <message>
        <source>时间参数设置界面</source>
        <translation>Clock settings</translation>
    </message>
    <message>
        <source>本机时间</source>
        <translation>PC time</translation>
    </message>
    <message>
        <source>yyyy-MM-dd</source>
        <translation>yyyy-MM-dd</translation>
    </message>
    <message>
        <source>HH:mm:ss</source>
        <translation>HH:mm:ss</translation>
    </message>
    <message>
        <source>手动调整</source>
        <translation>Set by hand</translation>
    </message>
    <message>
        <source>编程器时间</source>
        <translation>Programmer time</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
</context>
<context>
    <name>CommunicationLogWindow</name>
    <message>
        <source>通信记录</source>
        <translation>Communication log</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>保存…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>ComparisonDialog</name>
    <message>
        <source>与编程器比较</source>
        <translation>Compare with programmer</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>GeneralLoadDialog</name>
    <message>
        <source>通用负载参数配置</source>
        <translation>General load parameters</translation>
    </message>
    <message>
        <source>手动默认开</source>
        <translation>Manual, on by default</translation>
    </message>
    <message>
        <source>手动默认关</source>
        <translation>Manual, off by default</translation>
    </message>
    <message>
        <source>定时控制</source>
        <translation>Timer control</translation>
    </message>
    <message>
        <source>定时开时刻1</source>
        <translation>Timer on 1</translation>
    </message>
    <message>
        <source>HH:mm:ss</source>
        <translation>HH:mm:ss</translation>
    </message>
    <message>
        <source>定时关时刻1</source>
        <translation>Timer off 1</translation>
    </message>
    <message>
        <source>定时开时刻2</source>
        <translation>Timer on 2</translation>
    </message>
    <message>
        <source>定时关时刻2</source>
        <translation>Timer off 2</translation>
    </message>
    <message>
        <source>纯光控</source>
        <translation>Light control only</translation>
    </message>
    <message>
        <source>光控启动电压（V）</source>
        <translation>Light-on voltage (V)</translation>
    </message>
    <message>
        <source>延时（m）</source>
        <translation>Delay (min)</translation>
    </message>
    <message>
        <source>光控关闭电压（V）</source>
        <translation>Light-off voltage (V)</translation>
    </message>
    <message>
        <source>光控+定时</source>
        <translation>Light control + timer</translation>
    </message>
    <message>
        <source>定时开关时段1</source>
        <translation>Timer period 1</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <translation>HH:mm</translation>
    </message>
    <message>
        <source>定时开关时段2</source>
        <translation>Timer period 2</translation>
    </message>
    <message>
        <source>夜间时长</source>
        <translation>Night length</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>LedLoadDialog</name>
    <message>
        <source>LED负载参数配置</source>
        <translation>LED load parameters</translation>
    </message>
    <message>
        <source>额定参数配置</source>
        <translation>Rated values</translation>
    </message>
    <message>
        <source>LED额定电流（A）</source>
        <translation>LED rated current (A)</translation>
    </message>
    <message>
        <source>蓄电池欠压后进行电流限制
（欠压恢复后则转入正常）</source>
        <translation>Limit the current after battery under-voltage
(normal again once the voltage recovers)</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>负载控制模式</source>
        <translation>Load control mode</translation>
    </message>
    <message>
        <source>手动默认开</source>
        <translation>Manual, on by default</translation>
    </message>
    <message>
        <source>手动默认关</source>
        <translation>Manual, off by default</translation>
    </message>
    <message>
        <source>额定电流百分比</source>
        <translation>Rated current percentage</translation>
    </message>
    <message>
        <source>定时控制</source>
        <translation>Timer control</translation>
    </message>
    <message>
        <source>定时开时刻1</source>
        <translation>Timer on 1</translation>
    </message>
    <message>
        <source>HH:mm:ss</source>
        <translation>HH:mm:ss</translation>
    </message>
    <message>
        <source>定时关时刻1</source>
        <translation>Timer off 1</translation>
    </message>
    <message>
        <source>定时开时刻2</source>
        <translation>Timer on 2</translation>
    </message>
    <message>
        <source>定时关时刻2</source>
        <translation>Timer off 2</translation>
    </message>
    <message>
        <source>光控</source>
        <translation>Light control</translation>
    </message>
    <message>
        <source>光控启动电压（V）</source>
        <translation>Light-on voltage (V)</translation>
    </message>
    <message>
        <source>延时（m）</source>
        <translation>Delay (min)</translation>
    </message>
    <message>
        <source>光控关闭电压（V）</source>
        <translation>Light-off voltage (V)</translation>
    </message>
    <message>
        <source>光控+定时模式1</source>
        <translation>Light control + timer, mode 1</translation>
    </message>
    <message>
        <source>定时时间段1</source>
        <translation>Timer period 1</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <translation>HH:mm</translation>
    </message>
    <message>
        <source>定时时间段2</source>
        <translation>Timer period 2</translation>
    </message>
    <message>
        <source>定时时间段3</source>
        <translation>Timer period 3</translation>
    </message>
    <message>
        <source>光控+定时模式2</source>
        <translation>Light control + timer, mode 2</translation>
    </message>
    <message>
        <source>夜间时长（h）</source>
        <translation>Night length (h)</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>串口连接</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>参数配置</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>点击选择产品类型</source>
        <translation>Product type</translation>
    </message>
    <message>
        <source>充放电控制参数</source>
        <translation>Battery parameters</translation>
    </message>
    <message>
        <source>通用负载参数</source>
        <translation>General load parameters</translation>
    </message>
    <message>
        <source>保存参数</source>
        <translation>Save parameters</translation>
    </message>
    <message>
        <source>导入参数</source>
        <translation>Import parameters</translation>
    </message>
    <message>
        <source>管理</source>
        <translation>Manage</translation>
    </message>
    <message>
        <source>读取编程器</source>
        <translation>Read programmer</translation>
    </message>
    <message>
        <source>更新编程器</source>
        <translation>Update programmer</translation>
    </message>
    <message>
        <source>清除编程器</source>
        <translation>Clear programmer</translation>
    </message>
    <message>
        <source>时间同步</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>比较编程器</source>
        <translation>Compare with programmer</translation>
    </message>
    <message>
        <source>通信记录</source>
        <translation>Communication log</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>关于 KTX(&amp;A)...</source>
        <translation>&amp;About KTX...</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>通用负载参数</source>
        <translation>General load parameters</translation>
    </message>
    <message>
        <source>LED负载参数</source>
        <translation>LED load parameters</translation>
    </message>
    <message>
        <source>参数已修改，是否保存？</source>
        <translation>The parameters have changed. Save them?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>充放电控制参数组</source>
        <translation>Battery parameter group</translation>
    </message>
    <message>
        <source>负载参数组</source>
        <translation>Load parameter group</translation>
    </message>
    <message>
        <source>串口列表</source>
        <translation>Port list</translation>
    </message>
    <message>
        <source>产品类型</source>
        <translation>Product type</translation>
    </message>
    <message>
        <source>产品名称</source>
        <translation>Product name</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>打开串口失败</source>
        <translation>Cannot open the port</translation>
    </message>
    <message>
        <source>串口不可用或未打开！</source>
        <translation>The port is not available or not open</translation>
    </message>
    <message>
        <source>串口已断开！</source>
        <translation>The port was disconnected</translation>
    </message>
    <message>
        <source>错误的十六进制数据!</source>
        <translation>Bad hexadecimal data</translation>
    </message>
    <message>
        <source>读取超时！</source>
        <translation>Read timed out</translation>
    </message>
    <message>
        <source>写入超时！</source>
        <translation>Write timed out</translation>
    </message>
    <message>
        <source>读取失败，设备无数据！</source>
        <translation>Read failed: the programmer holds no data</translation>
    </message>
    <message>
        <source>参数地址出错！</source>
        <translation>Wrong parameter address</translation>
    </message>
    <message>
        <source>参数值超出范围！</source>
        <translation>Value out of range</translation>
    </message>
    <message>
        <source>读取完成！</source>
        <translation>Read complete</translation>
    </message>
    <message>
        <source>写入数据成功！</source>
        <translation>Data written</translation>
    </message>
    <message>
        <source>清除完成</source>
        <translation>Cleared</translation>
    </message>
    <message>
        <source>请选择产品类型！</source>
        <translation>Choose a product type</translation>
    </message>
    <message>
        <source>未选中任何需要更新的参数！</source>
        <translation>No parameters selected to update</translation>
    </message>
    <message>
        <source>通信记录</source>
        <translation>Communication log</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>数据</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>接收</source>
        <translation>Received</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>保存…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>文件保存失败！</source>
        <translation>Could not save the file</translation>
    </message>
    <message>
        <source>读取编程器</source>
        <translation>Read programmer</translation>
    </message>
    <message>
        <source>更新编程器</source>
        <translation>Update programmer</translation>
    </message>
    <message>
        <source>清除编程器</source>
        <translation>Clear programmer</translation>
    </message>
    <message>
        <source>比较编程器</source>
        <translation>Compare with programmer</translation>
    </message>
    <message>
        <source>时间同步：读取</source>
        <translation>Clock: read</translation>
    </message>
    <message>
        <source>时间同步：写入</source>
        <translation>Clock: write</translation>
    </message>
    <message>
        <source>正确</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>超时</source>
        <translation>Timed out</translation>
    </message>
    <message>
        <source>CRC错误</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <source>从站地址错误</source>
        <translation>Wrong slave address</translation>
    </message>
    <message>
        <source>功能码错误</source>
        <translation>Wrong function code</translation>
    </message>
    <message>
        <source>长度错误</source>
        <translation>Wrong length</translation>
    </message>
    <message>
        <source>字节数错误</source>
        <translation>Wrong byte count</translation>
    </message>
    <message>
        <source>回显不符</source>
        <translation>Echo mismatch</translation>
    </message>
    <message>
        <source>异常码 %1</source>
        <translation>Exception %1</translation>
    </message>
    <message>
        <source>无效应答</source>
        <translation>Invalid reply</translation>
    </message>
    <message>
        <source>与编程器比较</source>
        <translation>Compare with programmer</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>编程器</source>
        <translation>Programmer</translation>
    </message>
    <message>
        <source>当前</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>编程器中的参数与当前参数相同</source>
        <translation>The programmer holds the same parameters</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>参数组</source>
        <translation>Parameter groups</translation>
    </message>
    <message>
        <source>—</source>
        <translation>—</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>充放电控制参数</source>
        <translation>Battery parameters</translation>
    </message>
    <message>
        <source>手动控制</source>
        <translation>Manual control</translation>
    </message>
    <message>
        <source>纯光控</source>
        <translation>Light control only</translation>
    </message>
    <message>
        <source>光控</source>
        <translation>Light control</translation>
    </message>
    <message>
        <source>光控+定时</source>
        <translation>Light control + timer</translation>
    </message>
    <message>
        <source>定时控制</source>
        <translation>Timer control</translation>
    </message>
    <message>
        <source>蓄电池类型</source>
        <translation>Battery type</translation>
    </message>
    <message>
        <source>蓄电池容量(Ah)</source>
        <translation>Battery capacity (Ah)</translation>
    </message>
    <message>
        <source>温度补偿系数(mV/℃/2V)</source>
        <translation>Temperature compensation (mV/℃/2V)</translation>
    </message>
    <message>
        <source>超压断开电压(V)</source>
        <translation>Over-voltage disconnect (V)</translation>
    </message>
    <message>
        <source>充电限制电压(V)</source>
        <translation>Charge limit voltage (V)</translation>
    </message>
    <message>
        <source>超压断开恢复电压(V)</source>
        <translation>Over-voltage reconnect (V)</translation>
    </message>
    <message>
        <source>均衡充电电压(V)</source>
        <translation>Equalize voltage (V)</translation>
    </message>
    <message>
        <source>提升充电电压(V)</source>
        <translation>Boost voltage (V)</translation>
    </message>
    <message>
        <source>浮充充电电压(V)</source>
        <translation>Float voltage (V)</translation>
    </message>
    <message>
        <source>提升恢复电压(V)</source>
        <translation>Boost reconnect voltage (V)</translation>
    </message>
    <message>
        <source>低压断开恢复电压(V)</source>
        <translation>Low-voltage reconnect (V)</translation>
    </message>
    <message>
        <source>欠压报警恢复电压(V)</source>
        <translation>Under-voltage warning reconnect (V)</translation>
    </message>
    <message>
        <source>欠压报警电压(V)</source>
        <translation>Under-voltage warning (V)</translation>
    </message>
    <message>
        <source>低压断开电压(V)</source>
        <translation>Low-voltage disconnect (V)</translation>
    </message>
    <message>
        <source>放电限制电压(V)</source>
        <translation>Discharge limit voltage (V)</translation>
    </message>
    <message>
        <source>光控启动电压（V）</source>
        <translation>Light-on voltage (V)</translation>
    </message>
    <message>
        <source>光控启动延时（m）</source>
        <translation>Light-on delay (min)</translation>
    </message>
    <message>
        <source>光控关闭电压（V）</source>
        <translation>Light-off voltage (V)</translation>
    </message>
    <message>
        <source>光控关闭延时（m）</source>
        <translation>Light-off delay (min)</translation>
    </message>
    <message>
        <source>负载控制模式</source>
        <translation>Load control mode</translation>
    </message>
    <message>
        <source>模式2定时时间段1</source>
        <translation>Mode 2 timer period 1</translation>
    </message>
    <message>
        <source>模式2定时时间段2</source>
        <translation>Mode 2 timer period 2</translation>
    </message>
    <message>
        <source>模式2定时时间段3</source>
        <translation>Mode 2 timer period 3</translation>
    </message>
    <message>
        <source>定时开时刻1</source>
        <translation>Timer on 1</translation>
    </message>
    <message>
        <source>定时关时刻1</source>
        <translation>Timer off 1</translation>
    </message>
    <message>
        <source>定时开时刻2</source>
        <translation>Timer on 2</translation>
    </message>
    <message>
        <source>定时关时刻2</source>
        <translation>Timer off 2</translation>
    </message>
    <message>
        <source>模式2时间段1百分比</source>
        <translation>Mode 2 period 1 percentage</translation>
    </message>
    <message>
        <source>模式2时间段2百分比</source>
        <translation>Mode 2 period 2 percentage</translation>
    </message>
    <message>
        <source>模式2时间段3百分比</source>
        <translation>Mode 2 period 3 percentage</translation>
    </message>
    <message>
        <source>夜间时长</source>
        <translation>Night length</translation>
    </message>
    <message>
        <source>额定电压等级</source>
        <translation>Rated voltage</translation>
    </message>
    <message>
        <source>第二组定时</source>
        <translation>Second timer pair</translation>
    </message>
    <message>
        <source>手动默认状态</source>
        <translation>Manual default state</translation>
    </message>
    <message>
        <source>均衡维持时间(M)</source>
        <translation>Equalize duration (min)</translation>
    </message>
    <message>
        <source>提升维持时间(M)</source>
        <translation>Boost duration (min)</translation>
    </message>
    <message>
        <source>蓄电池放电(%)</source>
        <translation>Battery discharge (%)</translation>
    </message>
    <message>
        <source>蓄电池充电(%)</source>
        <translation>Battery charge (%)</translation>
    </message>
    <message>
        <source>充电方式</source>
        <translation>Charging mode</translation>
    </message>
    <message>
        <source>欠压后电流限制</source>
        <translation>Current limit after under-voltage</translation>
    </message>
    <message>
        <source>限流百分比</source>
        <translation>Limited current percentage</translation>
    </message>
    <message>
        <source>LED额定电流（A）</source>
        <translation>LED rated current (A)</translation>
    </message>
    <message>
        <source>额定电流百分比</source>
        <translation>Rated current percentage</translation>
    </message>
    <message>
        <source>模式1定时时间段1</source>
        <translation>Mode 1 timer period 1</translation>
    </message>
    <message>
        <source>模式1定时时间段2</source>
        <translation>Mode 1 timer period 2</translation>
    </message>
    <message>
        <source>模式1定时时间段3</source>
        <translation>Mode 1 timer period 3</translation>
    </message>
    <message>
        <source>模式1时间段1百分比</source>
        <translation>Mode 1 period 1 percentage</translation>
    </message>
    <message>
        <source>模式1时间段2百分比</source>
        <translation>Mode 1 period 2 percentage</translation>
    </message>
    <message>
        <source>模式1时间段3百分比</source>
        <translation>Mode 1 period 3 percentage</translation>
    </message>
    <message>
        <source>定时1百分比</source>
        <translation>Timer 1 percentage</translation>
    </message>
    <message>
        <source>定时2百分比</source>
        <translation>Timer 2 percentage</translation>
    </message>
    <message>
        <source>开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>关</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>导入文本文件</source>
        <translation>Import text file</translation>
    </message>
    <message>
        <source>未作任何需要保存的数据！</source>
        <translation>Nothing selected to save</translation>
    </message>
    <message>
        <source>文件保存成功</source>
        <translation>File saved</translation>
    </message>
    <message>
        <source>文件不存在！</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>导入失败！错误的配置文件！</source>
        <translation>Import failed: not a valid parameter file</translation>
    </message>
    <message>
        <source>第 %1 行：%2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>无法读取文件</source>
        <translation>The file cannot be read</translation>
    </message>
    <message>
        <source>文件超过 %1 字节</source>
        <translation>The file is longer than %1 bytes</translation>
    </message>
    <message>
        <source>不是 GBK 或 UTF-8 编码的文字</source>
        <translation>Not text in GBK or UTF-8</translation>
    </message>
    <message>
        <source>没有以 CR LF 结尾的行</source>
        <translation>No line ends with CR LF</translation>
    </message>
    <message>
        <source>有 %1 行参数，应为 21、22、38、43 或 59 行</source>
        <translation>%1 parameter lines; there must be 21, 22, 38, 43 or 59</translation>
    </message>
    <message>
        <source>缺少“:”</source>
        <translation>“:” is missing</translation>
    </message>
    <message>
        <source>地址 %1 不是四位十六进制数</source>
        <translation>Address %1 is not four hexadecimal digits</translation>
    </message>
    <message>
        <source>数值“%1”不是整数</source>
        <translation>Value “%1” is not a whole number</translation>
    </message>
    <message>
        <source>地址 %1 不是第 %2 项参数的寄存器</source>
        <translation>Address %1 is not the register of parameter %2</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>User defined</translation>
    </message>
    <message>
        <source>铅酸免维护</source>
        <translation>Sealed lead-acid</translation>
    </message>
    <message>
        <source>胶体</source>
        <translation>Gel</translation>
    </message>
    <message>
        <source>铅酸液体</source>
        <translation>Flooded lead-acid</translation>
    </message>
    <message>
        <source>电压补偿</source>
        <translation>Voltage compensation</translation>
    </message>
    <message>
        <source>自识别</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>目前状态不能为自定义</source>
        <translation>The type cannot be user defined at this level</translation>
    </message>
    <message>
        <source>目前状态不能为自识别</source>
        <translation>The rated voltage cannot be automatic for this type</translation>
    </message>
    <message>
        <source>注意！在修改充电参数前查阅蓄电池相关的说明，避免对蓄电池造成损坏！</source>
        <translation>Caution! Read the battery documentation before changing charging parameters, to avoid damaging the battery.</translation>
    </message>
    <message>
        <source>蓄电池类型和额定电压等级设置不正确！</source>
        <translation>The battery type and the rated voltage do not go together</translation>
    </message>
    <message>
        <source>参数已修改，是否应用？</source>
        <translation>The parameters have changed. Apply them?</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>不应用</source>
        <translation>Don&apos;t apply</translation>
    </message>
    <message>
        <source>蓄电池类型出错！</source>
        <translation>Wrong battery type</translation>
    </message>
    <message>
        <source>蓄电池容量不在允许范围内！(0~9999)</source>
        <translation>Battery capacity out of range (0~9999)</translation>
    </message>
    <message>
        <source>温度补偿系数不在允许范围内！(-9~0)</source>
        <translation>Temperature compensation out of range (-9~0)</translation>
    </message>
    <message>
        <source>均衡维持时间不在允许范围内！(0~180)</source>
        <translation>Equalize duration out of range (0~180)</translation>
    </message>
    <message>
        <source>提升维持时间不在允许范围内！(10~180)</source>
        <translation>Boost duration out of range (10~180)</translation>
    </message>
    <message>
        <source>蓄电池放电不在允许范围内！(10~80)</source>
        <translation>Battery discharge out of range (10~80)</translation>
    </message>
    <message>
        <source>蓄电池充电不在允许范围内！(20~100)</source>
        <translation>Battery charge out of range (20~100)</translation>
    </message>
    <message>
        <source>蓄电池充放电应满足：蓄电池充电≥蓄电池放电+10%</source>
        <translation>Battery charge must be at least battery discharge + 10%</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：超压断开电压＞充电限制电压</source>
        <translation>Battery voltages: over-voltage disconnect &gt; charge limit voltage</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：充电限制电压≥均衡充电电压</source>
        <translation>Battery voltages: charge limit voltage ≥ equalize voltage</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：均衡充电电压≥提升充电电压</source>
        <translation>Battery voltages: equalize voltage ≥ boost voltage</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：提升充电电压≥ 浮充充电电压</source>
        <translation>Battery voltages: boost voltage ≥ float voltage</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：浮充充电电压＞提升恢复电压</source>
        <translation>Battery voltages: float voltage &gt; boost reconnect voltage</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：超压断开电压＞超压断开恢复电压</source>
        <translation>Battery voltages: over-voltage disconnect &gt; over-voltage reconnect</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：低压断开恢复电压＞低压断开电压</source>
        <translation>Battery voltages: low-voltage reconnect &gt; low-voltage disconnect</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：低压断开电压≥放电限制电压</source>
        <translation>Battery voltages: low-voltage disconnect ≥ discharge limit voltage</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：欠压报警恢复电压＞欠压报警电压</source>
        <translation>Battery voltages: under-voltage warning reconnect &gt; under-voltage warning</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：欠压报警电压≥放电限制电压</source>
        <translation>Battery voltages: under-voltage warning ≥ discharge limit voltage</translation>
    </message>
    <message>
        <source>蓄电池电压应满足：提升恢复电压＞低压断开恢复电压</source>
        <translation>Battery voltages: boost reconnect voltage &gt; low-voltage reconnect</translation>
    </message>
    <message>
        <source>电压参数不在允许范围内！</source>
        <translation>Voltage out of range</translation>
    </message>
    <message>
        <source>超压断开电压</source>
        <translation>over-voltage disconnect</translation>
    </message>
    <message>
        <source>充电限制电压</source>
        <translation>charge limit voltage</translation>
    </message>
    <message>
        <source>超压断开恢复电压</source>
        <translation>over-voltage reconnect</translation>
    </message>
    <message>
        <source>均衡充电电压</source>
        <translation>equalize voltage</translation>
    </message>
    <message>
        <source>提升充电电压</source>
        <translation>boost voltage</translation>
    </message>
    <message>
        <source>浮充充电电压</source>
        <translation>float voltage</translation>
    </message>
    <message>
        <source>提升恢复电压</source>
        <translation>boost reconnect voltage</translation>
    </message>
    <message>
        <source>低压断开恢复电压</source>
        <translation>low-voltage reconnect</translation>
    </message>
    <message>
        <source>欠压报警恢复电压</source>
        <translation>under-voltage warning reconnect</translation>
    </message>
    <message>
        <source>欠压报警电压</source>
        <translation>under-voltage warning</translation>
    </message>
    <message>
        <source>低压断开电压</source>
        <translation>low-voltage disconnect</translation>
    </message>
    <message>
        <source>放电限制电压</source>
        <translation>discharge limit voltage</translation>
    </message>
    <message>
        <source>须大于%1</source>
        <translation>must be above %1</translation>
    </message>
    <message>
        <source>不得小于%1</source>
        <translation>must not be below %1</translation>
    </message>
    <message>
        <source>须小于%1</source>
        <translation>must be below %1</translation>
    </message>
    <message>
        <source>不得大于%1</source>
        <translation>must not be above %1</translation>
    </message>
    <message>
        <source>允许范围：%1～%2 %3</source>
        <translation>Range: %1 to %2 %3</translation>
    </message>
    <message>
        <source>分钟</source>
        <translation>min</translation>
    </message>
    <message>
        <source>允许范围：%1～%2 V</source>
        <translation>Range: %1 to %2 V</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>，胶体可为 0</source>
        <translation>, 0 for gel</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>自识别，按 12V</source>
        <translation>automatic, as 12V</translation>
    </message>
    <message>
        <source>自定义：电压可修改，额定电压等级不能为自识别</source>
        <translation>User defined: the voltages can be edited; the rated voltage cannot be automatic</translation>
    </message>
    <message>
        <source>电压允许范围随等级变化：每 12V 为 9.00～17.00 V，自识别按 12V</source>
        <translation>The voltage ranges follow the level: 9.00 to 17.00 V per 12V, automatic as 12V</translation>
    </message>
    <message>
        <source>SOC：蓄电池充电、放电百分比可修改</source>
        <translation>SOC: battery charge and discharge percentages can be edited</translation>
    </message>
    <message>
        <source>光控启动电压不在范围内！</source>
        <translation>Light-on voltage out of range</translation>
    </message>
    <message>
        <source>光控关闭电压不在范围内！</source>
        <translation>Light-off voltage out of range</translation>
    </message>
    <message>
        <source>光控启动延时不在范围内！(0~99)</source>
        <translation>Light-on delay out of range (0~99)</translation>
    </message>
    <message>
        <source>光控关闭延时不在范围内！(0~99)</source>
        <translation>Light-off delay out of range (0~99)</translation>
    </message>
    <message>
        <source>请选择负载控制模式！</source>
        <translation>Choose a load control mode</translation>
    </message>
    <message>
        <source>单位：A，两位小数</source>
        <translation>Unit: A, two decimals</translation>
    </message>
    <message>
        <source>允许范围：0～100 %，每步 5 %</source>
        <translation>Range: 0 to 100 %, in steps of 5 %</translation>
    </message>
    <message>
        <source>时刻：00:00:00～23:59:59</source>
        <translation>Time of day: 00:00:00 to 23:59:59</translation>
    </message>
    <message>
        <source>时长（时:分）：00:00～23:59</source>
        <translation>Duration (h:min): 00:00 to 23:59</translation>
    </message>
    <message>
        <source>光控+定时模式1</source>
        <translation>Light control + timer, mode 1</translation>
    </message>
    <message>
        <source>光控+定时模式2</source>
        <translation>Light control + timer, mode 2</translation>
    </message>
    <message>
        <source>定时%1百分比</source>
        <translation>Timer %1 percentage</translation>
    </message>
    <message>
        <source>模式%1定时时间段%2</source>
        <translation>Mode %1 timer period %2</translation>
    </message>
    <message>
        <source>模式%1时间段%2百分比</source>
        <translation>Mode %1 period %2 percentage</translation>
    </message>
    <message>
        <source>模式图</source>
        <translation>Mode picture</translation>
    </message>
    <message>
        <source>时段%1</source>
        <translation>Period %1</translation>
    </message>
    <message>
        <source>剩余时间</source>
        <translation>Remaining time</translation>
    </message>
    <message>
        <source>手动调整</source>
        <translation>Set by hand</translation>
    </message>
    <message>
        <source>本机时间</source>
        <translation>PC time</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>编程器时间</source>
        <translation>Programmer time</translation>
    </message>
    <message>
        <source>读取成功！</source>
        <translation>Clock read</translation>
    </message>
    <message>
        <source>写入成功！</source>
        <translation>Clock written</translation>
    </message>
    <message>
        <source>用法: velmora-cli &lt;ports|read|update|clear|clock|check|diff&gt; [选项]（velmora-cli --help 显示说明）</source>
        <translation>Usage: velmora-cli &lt;ports|read|update|clear|clock|check|diff&gt; [options] (velmora-cli --help explains)</translation>
    </message>
    <message>
        <source>用法: velmora-cli ports</source>
        <translation>Usage: velmora-cli ports</translation>
    </message>
    <message>
        <source>用法: velmora-cli read --port P [-o FILE]</source>
        <translation>Usage: velmora-cli read --port P [-o FILE]</translation>
    </message>
    <message>
        <source>用法: velmora-cli update --port P [--verify] FILE</source>
        <translation>Usage: velmora-cli update --port P [--verify] FILE</translation>
    </message>
    <message>
        <source>用法: velmora-cli clear --port P</source>
        <translation>Usage: velmora-cli clear --port P</translation>
    </message>
    <message>
        <source>用法: velmora-cli clock --port P [--set now|&quot;YYYY-MM-DD HH:MM:SS&quot;]</source>
        <translation>Usage: velmora-cli clock --port P [--set now|&quot;YYYY-MM-DD HH:MM:SS&quot;]</translation>
    </message>
    <message>
        <source>用法: velmora-cli check FILE</source>
        <translation>Usage: velmora-cli check FILE</translation>
    </message>
    <message>
        <source>用法: velmora-cli diff --port P FILE</source>
        <translation>Usage: velmora-cli diff --port P FILE</translation>
    </message>
    <message>
        <source>  --port P          串口: velmora-cli ports 列出的名称，或设备路径
</source>
        <translation>  --port P          serial port: a name velmora-cli ports lists, or a device path
</translation>
    </message>
    <message>
        <source>列出串口，每行一个: 本机的串口按编号排列，然后是环境变量
VELMORA_EXTRA_PORTS 中的设备路径。
</source>
        <translation>Lists the serial ports, one a line: the computer&apos;s ports in number order, then the device
paths in the environment variable VELMORA_EXTRA_PORTS.
</translation>
    </message>
    <message>
        <source>像“读取编程器”一样读取编程器，输出所读数据的参数文件（产品名称、参数组和
参数），与读取后“保存参数”写出的内容逐字节相同。
</source>
        <translation>Reads the programmer as &quot;Read programmer&quot; does and prints the parameter file of what it
read (product name, groups and parameters), byte for byte what &quot;Save parameters&quot; writes after
the read.
</translation>
    </message>
    <message>
        <source>  -o, --output FILE 写入 FILE，写完整后才替换原文件；不给或为 - 时写到标准输出
</source>
        <translation>  -o, --output FILE write FILE, replacing the old one only once complete; none or - writes
                    to standard output
</translation>
    </message>
    <message>
        <source>像“导入参数”一样导入 FILE（被拒绝的文件不发送任何数据），再像“更新编程器”
一样按文件的参数组和产品名称更新编程器。
</source>
        <translation>Imports FILE as &quot;Import parameters&quot; does (a refused file sends nothing), then updates the
programmer as &quot;Update programmer&quot; does, with the file&apos;s groups and product name.
</translation>
    </message>
    <message>
        <source>  --verify          更新后读回编程器中的数据，逐字比较
</source>
        <translation>  --verify          read the programmer back after the update and compare word by word
</translation>
    </message>
    <message>
        <source>像“清除编程器”一样清除编程器中存储的参数。
</source>
        <translation>Clears the parameters stored in the programmer, as &quot;Clear programmer&quot; does.
</translation>
    </message>
    <message>
        <source>不带 --set 时读取编程器时间，按时间界面的格式输出，如 2016/3/5   14:7:9。
</source>
        <translation>Without --set, reads the programmer&apos;s clock and prints it as the clock form shows it, for
example 2016/3/5   14:7:9.
</translation>
    </message>
    <message>
        <source>  --set now         把编程器时间设为本机当前时间，并输出写入的时间
  --set &quot;YYYY-MM-DD HH:MM:SS&quot;
                    设为给定的时间（2000 至 2099 年），并输出写入的时间
</source>
        <translation>  --set now         set the programmer&apos;s clock to the computer&apos;s time and print the time
                    written
  --set &quot;YYYY-MM-DD HH:MM:SS&quot;
                    set it to the given time (years 2000 to 2099) and print the time written
</translation>
    </message>
    <message>
        <source>像“导入参数”一样导入 FILE，对文件所含的参数组运行参数界面“应用”时的全部检查
（充放电参数规则，负载控制模式和负载参数的四个范围）。全部通过时无输出，退出状态 0；
否则在标准错误输出第一个不通过的检查，退出状态 1。文件被拒绝时，第二行以
FILE:行号: 原因 说明错在哪里。
</source>
        <translation>Imports FILE as &quot;Import parameters&quot; does and runs every check of the forms&apos; &quot;Apply&quot; on the
groups the file holds (the battery rules, the load control mode and the four load ranges).
Prints nothing and exits 0 when all pass; otherwise prints the first failed check on standard
error and exits 1. For a refused file, a second line FILE:line: reason says where and why.
</translation>
    </message>
    <message>
        <source>像“导入参数”一样导入 FILE，像“比较编程器”一样读取编程器（不改变任何内容），
每处不同输出一行: 参数名、编程器中的值、文件中的值，以制表符分隔，单位与参数界面
相同。退出状态: 0 相同；1 不同；2 出错（用法错误、文件被拒绝或读取失败，原因在
标准错误输出）。
</source>
        <translation>Imports FILE as &quot;Import parameters&quot; does, reads the programmer as &quot;Compare with programmer&quot;
does (changing nothing) and prints one line for each difference: the parameter&apos;s name, the
programmer&apos;s value and the file&apos;s value, separated by tabs, in the forms&apos; units. Exit status:
0 the same; 1 different; 2 trouble (wrong usage, a refused file or a failed read; the reason
on standard error).
</translation>
    </message>
    <message>
        <source>  -v, --verbose     在标准错误输出显示每一帧、进度和用时
</source>
        <translation>  -v, --verbose     show every frame, the progress and the time taken on standard error
</translation>
    </message>
    <message>
        <source>缺少命令</source>
        <translation>Missing command</translation>
    </message>
    <message>
        <source>未知命令: %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>未知选项: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>选项 %1 缺少值</source>
        <translation>Option %1 needs a value</translation>
    </message>
    <message>
        <source>选项 %1 重复</source>
        <translation>Option %1 given twice</translation>
    </message>
    <message>
        <source>缺少 --port</source>
        <translation>Missing --port</translation>
    </message>
    <message>
        <source>缺少文件名</source>
        <translation>Missing file name</translation>
    </message>
    <message>
        <source>多余的参数: %1</source>
        <translation>Extra argument: %1</translation>
    </message>
    <message>
        <source>时间无效: %1（应为 now 或 &quot;YYYY-MM-DD HH:MM:SS&quot;，2000 至 2099 年）</source>
        <translation>Invalid time: %1 (now or &quot;YYYY-MM-DD HH:MM:SS&quot;, years 2000 to 2099)</translation>
    </message>
    <message>
        <source>校验失败！产品名称不一致！</source>
        <translation>Verify failed: the product name differs</translation>
    </message>
    <message>
        <source>校验失败！参数个数不一致！</source>
        <translation>Verify failed: the parameter count differs</translation>
    </message>
    <message>
        <source>校验失败！第%1个参数（%2）的值不一致！</source>
        <translation>Verify failed: parameter %1 (%2) differs</translation>
    </message>
    <message>
        <source>校验失败！校验和不一致！</source>
        <translation>Verify failed: the checksum differs</translation>
    </message>
    <message>
        <source>打开串口 %1</source>
        <translation>Opening port %1</translation>
    </message>
    <message>
        <source>发送 %1</source>
        <translation>Sent %1</translation>
    </message>
    <message>
        <source>接收 %1（%2 ms）</source>
        <translation>Received %1 (%2 ms)</translation>
    </message>
    <message>
        <source>无应答（%1 ms）</source>
        <translation>No reply (%1 ms)</translation>
    </message>
    <message>
        <source>用时 %1 ms</source>
        <translation>Took %1 ms</translation>
    </message>
    <message>
        <source>指定的资源不是有效的DLL文件!</source>
        <translation>The resource is not a valid DLL</translation>
    </message>
    <message>
        <source>装入动态链接库出错</source>
        <translation>Error loading a dynamic-link library</translation>
    </message>
    <message>
        <source>装入动态链接库%1出错!</source>
        <translation>Error loading the dynamic-link library %1</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>语言应为 en 或 zh: %1</source>
        <translation>The language must be en or zh: %1</translation>
    </message>
    <message numerus="yes">
        <source>共 %n 处不同</source>
        <translation>
            <numerusform>%n difference</numerusform>
            <numerusform>%n differences</numerusform>
        </translation>
    </message>
    <message>
        <source>用法: velmora-cli &lt;命令&gt; [选项]

在命令行中运行与窗口相同的编程器操作。

命令:
  ports             列出串口，每行一个（与窗口的串口列表相同）
  read              读取编程器，输出参数文件
  update            用参数文件更新编程器
  clear             清除编程器
  clock             读取或设置编程器时间
  check             按参数界面“应用”时的规则检查参数文件
  diff              比较编程器中的参数与参数文件

选项:
  -h, --help        显示帮助；velmora-cli &lt;命令&gt; --help 显示该命令的帮助
  --version         显示版本
  -v, --verbose     在标准错误输出显示每一帧、进度和用时
  --lang en|zh      消息和帮助的语言（默认按 VELMORA_LANG，否则中文）
  --json            标准输出改为每台编程器一行 JSON 对象

update、clear、clock 和 diff 可同时对多台编程器运行，例如:
  velmora-cli update --port /dev/ttyUSB0,/dev/ttyUSB1 --port /dev/ttyUSB2 block.txt

标准输出只有数据。退出状态: 0 成功；1 操作失败（原因在标准错误输出）；2 用法错误。
diff 的退出状态与 diff(1) 相同: 0 相同；1 不同；2 出错。
</source>
        <translation>Usage: velmora-cli &lt;command&gt; [options]

Runs the window&apos;s programmer operations from the command line.

Commands:
  ports             list the serial ports, one a line (as the window&apos;s port list)
  read              read the programmer and print a parameter file
  update            update the programmer from a parameter file
  clear             clear the programmer
  clock             read or set the programmer&apos;s clock
  check             check a parameter file by the forms&apos; rules on &quot;Apply&quot;
  diff              compare the programmer with a parameter file

Options:
  -h, --help        show help; velmora-cli &lt;command&gt; --help shows the command&apos;s help
  --version         show the version
  -v, --verbose     show every frame, the progress and the time taken on standard error
  --lang en|zh      the language of messages and help (default: VELMORA_LANG, else Chinese)
  --json            one JSON object a line and programmer on standard output

update, clear, clock and diff run on several programmers at once, for example:
  velmora-cli update --port /dev/ttyUSB0,/dev/ttyUSB1 --port /dev/ttyUSB2 block.txt

Standard output carries data only. Exit status: 0 success; 1 the operation failed (the reason
on standard error); 2 wrong usage. diff exits as diff(1): 0 the same; 1 different; 2 trouble.
</translation>
    </message>
    <message>
        <source>  --port P[,P...]   串口；可重复，或以逗号分隔列出多台编程器，各自同时运行，
                    每台完成时在标准输出输出一行: 串口、ok 或 failed 和原因
</source>
        <translation>  --port P[,P...]   serial port; repeat it, or list several programmers separated by commas,
                    each run at the same time; each prints a line as it is done: the port,
                    ok or failed and why
</translation>
    </message>
    <message>
        <source>  --json            标准输出改为每台编程器一行 JSON 对象（port、ok、message、
                    elapsed_ms 和命令的数据），见 man velmora-cli
</source>
        <translation>  --json            one JSON object a line and programmer on standard output (port, ok,
                    message, elapsed_ms and the command&apos;s data); see man velmora-cli
</translation>
    </message>
    <message>
        <source>%1 台成功，%2 台失败</source>
        <translation>%1 succeeded, %2 failed</translation>
    </message>
</context>
</TS>
