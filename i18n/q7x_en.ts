<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Arpegiator</name>
    <message>
        <source>ARPEGIATOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TEMPO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arpeggiator tempo in beats per minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MODE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arpeggiator mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LATCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arpeggiator latch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LATCH on: the arpeggio keeps playing after you release the keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TIME DIV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arpeggiator time division</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SWING</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arpeggiator swing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BankBadge</name>
    <message>
        <source>BANK A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <message>
        <source>BARS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PITCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Self Return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pitch wheel self return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On: the pitch wheel springs back to the centre after the Return Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pitch wheel return time in milliseconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pitch wheel channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MODULATION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modulation wheel controller number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modulation wheel minimum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modulation wheel maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modulation wheel channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modulation wheel type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC: the wheel sends the controller number in the # field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOD: the wheel sends the modulation controller (1)</source>
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
    <message>
        <source>Knob controllers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC Range Starting at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minimum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 order</source>
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
    <message>
        <source>Knob programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC Range Starting at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minimum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 order</source>
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
    <message>
        <source>ASC: numbers rise from pad to pad. DES: they fall.</source>
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
    <message>
        <source>Pad controllers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC Range Starting at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 button behaviour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 order</source>
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
        <source>Pad notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTE Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 channel</source>
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
        <source>PC Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pad programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC Range Starting at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 order</source>
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
        <source>Colour of pad %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BANK A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour of PAD%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour wheel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chosen colour %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
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
    <name>CusCombox</name>
    <message>
        <source>Chromatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Major</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HarmonicMinor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MelodicMinor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dorian</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phrygian</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lydian</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mixolydian</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Locrian</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXCLUSIVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INCLUSIVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORDER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RANDOM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KEYBOARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ALL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NORMAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REVERSE</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CusInput</name>
    <message>
        <source>Range: 0 to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CusProgress</name>
    <message>
        <source>Progress</source>
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
    <name>EditHistory</name>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pad Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Populate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore The Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get From Hardware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Preset</source>
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
    <name>Function</name>
    <message>
        <source>FUNCTION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL VEL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full velocity applies to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL VEL: the pads, the keys or both always play at the FULL VEL VALUE velocity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL VEL VALUE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full velocity value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIANO CURVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Piano key velocity curve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIANO CURVE: how the force on the piano keys turns into velocity (LINER: even, EXP: rises steeply, LO: softer)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAD CURVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pad velocity curve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAD CURVE: how the force on the pads turns into velocity (LINER: even, EXP: rises steeply, LO: softer)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SUSTAIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sustain pedal polarity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SUSTAIN: choose REVERSE if the sustain pedal works the wrong way round</source>
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
    <message>
        <source>Nothing applied: tick a section first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BANK A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BANK A and BANK B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applied to %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pad notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pad CC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pad PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>knob CC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>knob PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Auto Populate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tick one pad section and one knob section at most, then apply them to a bank.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, </source>
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
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copyright © Vornel. All rights reserved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Look for newer firmware for the connected keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close About</source>
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
    <message>
        <source>Knob %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 controller number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minimum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TOUCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC: the knob sends its controller number, from MIN to MAX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC: the knob sends program changes, from MIN to MAX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TOUCH: the knob sends aftertouch, from MIN to MAX; it has no controller number</source>
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
    <message>
        <source>Pad bank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the pads of BANK A (pads 1 to 8)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the pads of BANK B (pads 9 to 16)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Knob bank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the knobs of BANK A (knobs 1 to 8)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the knobs of BANK B (knobs 9 to 16)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last played note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to hardware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write every setting shown here into the connected keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get from hardware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the connected keyboard&apos;s settings into the editor, replacing what is shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In sync with the keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed since last send</source>
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
    <message>
        <source>The language choice could not be saved:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The keyboard is connected. Its settings would replace changes that are neither saved nor sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load the keyboard&apos;s settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep my edits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration has changes that are neither saved nor sent to the keyboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MyFtp</name>
    <message>
        <source>Notice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect the keyboard first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The keyboard&apos;s firmware version could not be read.</source>
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
    <message>
        <source>No program to show the user guide was found. The guide is here:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user guide was not found. It belongs beside the program as VornelRambaKEYQ7X.pdf or VornelRambaKEYQ7X.html.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User guide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimise window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent Presets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NoticeDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK, close %1</source>
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
        <source>Pad %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour of this pad&apos;s light; click to choose it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 controller number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 program number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 note number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 button behaviour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Momentary: on while held. Toggle: each press switches on or off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 type</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is already the newest firmware; no upgrade is needed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware upgrade succeeded!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware upgrade failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading the firmware…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking for new firmware…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new firmware version was found. Do you want to upgrade?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current version: %1    New version: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware transfer progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending the firmware to the keyboard: %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close firmware update</source>
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
    <message>
        <source>Loop button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rewind button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fast forward button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play/pause button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transport button %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 controller number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 behaviour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Momentary: on while held. Toggle: each press switches on or off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC: the button sends its controller number on its channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MC: the button sends the keyboard&apos;s own transport command; number, behaviour and channel do not apply</source>
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
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
