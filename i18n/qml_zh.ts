<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
</TS>
