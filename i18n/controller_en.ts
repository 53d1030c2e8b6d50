<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <source>Error prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The current device is occupied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stm (*.stm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file could not be saved:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file could not be opened:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not a valid preset</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
