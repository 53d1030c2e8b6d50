<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>main</name>
    <message>
        <source>Succeeded in sending data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Getting data succeeded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to send data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to get data</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MyMenuBar</name>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send To Hardware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get From Hardware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore The Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Populate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Userguide   Ctrl+H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <source>BANK A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SEND TO HARDWARE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GET FROM HARDWARE</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConnectState</name>
    <message>
        <source>No device found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CusButtonState</name>
    <message>
        <source>Momentary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CusTabButton</name>
    <message>
        <source>BANK A</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
