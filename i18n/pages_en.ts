<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
    <name>WalkingBelt</name>
    <message>
        <source>CH</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
