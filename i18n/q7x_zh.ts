<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BarsPage</name>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>MIN</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>MAX</source>
        <translation>最大</translation>
    </message>
</context>
<context>
    <name>BatchKnobsCC</name>
    <message>
        <source>Set CC</source>
        <translation>设置CC</translation>
    </message>
    <message>
        <source>CC Range Staring at</source>
        <translation>CC范围值开始</translation>
    </message>
    <message>
        <source>CC Channel</source>
        <translation>CC通道</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>With CC</source>
        <translation>带CC</translation>
    </message>
</context>
<context>
    <name>BatchKnobsPC</name>
    <message>
        <source>Set PC</source>
        <translation>设置PC</translation>
    </message>
    <message>
        <source>PC Range Staring at</source>
        <translation>PC值范围位于</translation>
    </message>
    <message>
        <source>PC Channel</source>
        <translation>PC通道</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>With PC</source>
        <translation>使用PC</translation>
    </message>
</context>
<context>
    <name>BatchOrder</name>
    <message>
        <source>ASC</source>
        <translation>升序</translation>
    </message>
    <message>
        <source>DES</source>
        <translation>降序</translation>
    </message>
</context>
<context>
    <name>BatchPadCC</name>
    <message>
        <source>Set CC</source>
        <translation>设置CC</translation>
    </message>
    <message>
        <source>CC Range Staring at</source>
        <translation>CC范围开始</translation>
    </message>
    <message>
        <source>CC Channel</source>
        <translation>CC通道</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Moment</source>
        <translation>即时</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>切换</translation>
    </message>
    <message>
        <source>With Value</source>
        <translation>带值</translation>
    </message>
</context>
<context>
    <name>BatchPadNote</name>
    <message>
        <source>Set NOTE</source>
        <translation>设置NOTE</translation>
    </message>
    <message>
        <source>SCALE</source>
        <translation>规模</translation>
    </message>
    <message>
        <source>Starting at</source>
        <translation>编号起始值</translation>
    </message>
    <message>
        <source>NOTE CC Channel</source>
        <translation>设置CC通道</translation>
    </message>
</context>
<context>
    <name>BatchPadPC</name>
    <message>
        <source>Set PC</source>
        <translation>设置PC</translation>
    </message>
    <message>
        <source>PC Range Staring at</source>
        <translation>设置PC范围</translation>
    </message>
    <message>
        <source>PC Channel</source>
        <translation>PC通道</translation>
    </message>
    <message>
        <source>With Value</source>
        <translation>带值</translation>
    </message>
</context>
<context>
    <name>ColorDialog</name>
    <message>
        <source>R</source>
        <translation>红</translation>
    </message>
    <message>
        <source>G</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>B</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>确认</translation>
    </message>
</context>
<context>
    <name>ColorSet</name>
    <message>
        <source>Set Color</source>
        <translation>设置颜色</translation>
    </message>
    <message>
        <source>R</source>
        <translation>红</translation>
    </message>
    <message>
        <source>G</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>B</source>
        <translation>蓝</translation>
    </message>
</context>
<context>
    <name>ConnectState</name>
    <message>
        <source>No device found</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation>已连接</translation>
    </message>
</context>
<context>
    <name>CusButtonState</name>
    <message>
        <source>Momentary</source>
        <translation>即时</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>切换</translation>
    </message>
</context>
<context>
    <name>CusTabButton</name>
    <message>
        <source>BANK A</source>
        <translation>储存 A</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The serial port name of the device was not found</source>
        <translation>未找到设备的串口</translation>
    </message>
    <message>
        <source>Failed to open the serial port!</source>
        <translation>打开串口失败！</translation>
    </message>
</context>
<context>
    <name>FunctionDialog</name>
    <message>
        <source>Auto Populate</source>
        <translation>快速布局</translation>
    </message>
    <message>
        <source>PADs</source>
        <translation>打击垫</translation>
    </message>
    <message>
        <source>KNOBs</source>
        <translation>旋钮</translation>
    </message>
    <message>
        <source>Apply to BANK A</source>
        <translation>应用到A组</translation>
    </message>
    <message>
        <source>Apply to BANK B</source>
        <translation>应用到B组</translation>
    </message>
    <message>
        <source>Apply to A&amp;B</source>
        <translation>应用到A&amp;B</translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>Vornel PC Control Windows OS</source>
        <translation>Vornel PC控制面板 Win客户端</translation>
    </message>
    <message>
        <source>Vornel PC Control Linux</source>
        <translation>Vornel PC控制面板 Linux客户端</translation>
    </message>
    <message>
        <source>Version：</source>
        <translation>版本号：</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>固件版本号：</translation>
    </message>
    <message>
        <source>firmware updates</source>
        <translation>固件升级</translation>
    </message>
</context>
<context>
    <name>Knob</name>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>MIN</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>MAX</source>
        <translation>最大</translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <source>BANK A</source>
        <translation>储存 A</translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation>储存 B</translation>
    </message>
    <message>
        <source>SEND TO HARDWARE</source>
        <translation>发送到硬件</translation>
    </message>
    <message>
        <source>GET FROM HARDWARE</source>
        <translation>从硬件获取</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Error prompt</source>
        <translation>错误提示</translation>
    </message>
    <message>
        <source>The current device is occupied</source>
        <translation>当前设备被占用</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>stm (*.stm)</source>
        <translation>stm (*.stm)</translation>
    </message>
    <message>
        <source>The file could not be saved:
%1</source>
        <translation>无法保存文件：
%1</translation>
    </message>
    <message>
        <source>The file could not be opened:
%1</source>
        <translation>无法打开文件：
%1</translation>
    </message>
    <message>
        <source>The file is not a valid preset</source>
        <translation>该文件不是有效的预设文件</translation>
    </message>
</context>
<context>
    <name>MyFtp</name>
    <message>
        <source>提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请先连接设备</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>获取当前版本号失败</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MyMenuBar</name>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Send To Hardware</source>
        <translation>发送到硬件</translation>
    </message>
    <message>
        <source>Get From Hardware</source>
        <translation>从硬件获取</translation>
    </message>
    <message>
        <source>Restore The Default</source>
        <translation>恢复默认值</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Auto Populate</source>
        <translation>快速布局</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Open Userguide   Ctrl+H</source>
        <translation>打开用户指南</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>PadKey</name>
    <message>
        <source>KEY</source>
        <translation>按键</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Pad colour</source>
        <translation>打击垫颜色</translation>
    </message>
</context>
<context>
    <name>Trans</name>
    <message>
        <source>TargetLanguage</source>
        <translation>简体中文</translation>
    </message>
</context>
<context>
    <name>WalkingBelt</name>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Succeeded in sending data</source>
        <translation>发送数据成功</translation>
    </message>
    <message>
        <source>Getting data succeeded</source>
        <translation>获取数据成功</translation>
    </message>
    <message>
        <source>Failed to send data</source>
        <translation>发送数据失败</translation>
    </message>
    <message>
        <source>Failed to get data</source>
        <translation>获取数据失败</translation>
    </message>
</context>
</TS>
