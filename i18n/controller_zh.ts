<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
</TS>
