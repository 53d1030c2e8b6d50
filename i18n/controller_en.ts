<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <source>Error prompt</source>
        <translation>Error prompt</translation>
    </message>
    <message>
        <source>The current device is occupied</source>
        <translation>The current device is occupied</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>stm (*.stm)</source>
        <translation>stm (*.stm)</translation>
    </message>
    <message>
        <source>The file could not be saved:
%1</source>
        <translation>The file could not be saved:
%1</translation>
    </message>
    <message>
        <source>The file could not be opened:
%1</source>
        <translation>The file could not be opened:
%1</translation>
    </message>
    <message>
        <source>The file is not a valid preset</source>
        <translation>The file is not a valid preset</translation>
    </message>
</context>
</TS>
