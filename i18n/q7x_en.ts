<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BarsPage</name>
    <message>
        <source>CH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAX</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatchKnobsCC</name>
    <message>
        <source>Set CC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC Range Staring at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With CC</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatchKnobsPC</name>
    <message>
        <source>Set PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC Range Staring at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With PC</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatchOrder</name>
    <message>
        <source>ASC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DES</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatchPadCC</name>
    <message>
        <source>Set CC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC Range Staring at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With Value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatchPadNote</name>
    <message>
        <source>Set NOTE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SCALE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTE CC Channel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatchPadPC</name>
    <message>
        <source>Set PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC Range Staring at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With Value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ColorDialog</name>
    <message>
        <source>R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>confirm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ColorSet</name>
    <message>
        <source>Set Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
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
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>The serial port %1 of the keyboard&apos;s firmware loader is gone. Reconnect the keyboard and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission denied for the serial port %1. Your user account needs access to it: add it to the group &quot;%2&quot; that owns the device, log in again and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission denied for the serial port %1. Your user account needs read and write access to this device; then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The serial port %1 is in use by another program. Close that program and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The serial port %1 could not be opened (%2). Reconnect the keyboard and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A firmware update is already running. Wait until it has finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The keyboard&apos;s firmware loader was not found. Reconnect the keyboard and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The keyboard&apos;s firmware loader cancelled the update. Reconnect the keyboard and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The keyboard&apos;s firmware loader did not answer. Reconnect the keyboard and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware transfer to the keyboard failed. Reconnect the keyboard and try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FunctionDialog</name>
    <message>
        <source>Auto Populate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PADs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KNOBs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to BANK A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to BANK B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to A&amp;B</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>Vornel PC Control Windows OS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vornel PC Control Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>firmware updates</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Knob</name>
    <message>
        <source>CH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAX</source>
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
        <source>syx (*.syx)</source>
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
    <message>
        <source>The keyboard is not connected. Connect it and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware image could not be saved in the folder %1. Check that this folder can be written, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware server stopped answering. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware server could not be reached. Check the internet connection and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware server refused the login. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware server failed to deliver the file. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware server offered an image with an unusable name. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware download was incomplete (%1 of %2 bytes). Try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware server sent an unreadable firmware description. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware server sent an unusable firmware image. Try again later.</source>
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
    <name>PadKey</name>
    <message>
        <source>KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pad colour</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Try again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Trans</name>
    <message>
        <source>TargetLanguage</source>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>WalkingBelt</name>
    <message>
        <source>CH</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
</TS>
