<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
</TS>
