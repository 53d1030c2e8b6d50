<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ConnectState</name>
    <message>
        <location filename="../qml/component/ConnectState.qml" line="33"/>
        <source>Device connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/ConnectState.qml" line="33"/>
        <source>No device found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CusButtonState</name>
    <message>
        <location filename="../qml/BaseControl/CusButtonState.qml" line="7"/>
        <source>Momentary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/BaseControl/CusButtonState.qml" line="8"/>
        <source>Toggle</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CusTabButton</name>
    <message>
        <location filename="../qml/BaseControl/CusTabButton.qml" line="15"/>
        <source>BANK A</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <location filename="../qml/modular/MainPage.qml" line="75"/>
        <location filename="../qml/modular/MainPage.qml" line="119"/>
        <source>BANK A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/modular/MainPage.qml" line="76"/>
        <location filename="../qml/modular/MainPage.qml" line="120"/>
        <source>BANK B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/modular/MainPage.qml" line="189"/>
        <source>SEND TO HARDWARE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/modular/MainPage.qml" line="198"/>
        <source>GET FROM HARDWARE</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MyMenuBar</name>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="153"/>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="161"/>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="167"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="173"/>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="179"/>
        <source>Send To Hardware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="184"/>
        <source>Get From Hardware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="189"/>
        <source>Restore The Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="194"/>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="203"/>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="208"/>
        <source>Auto Populate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="216"/>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="221"/>
        <source>Open Userguide   Ctrl+H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="227"/>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/component/menuBar/MyMenuBar.qml" line="233"/>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../qml/main.qml" line="51"/>
        <source>Succeeded in sending data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/main.qml" line="51"/>
        <source>Getting data succeeded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/main.qml" line="53"/>
        <source>Failed to send data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../qml/main.qml" line="53"/>
        <source>Failed to get data</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
