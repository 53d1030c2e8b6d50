<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BarsPage</name>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>MIN</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>MAX</source>
        <translation>最大</translation>
    </message>
</context>
<context>
    <name>BatchKnobsCC</name>
    <message>
        <source>Set CC</source>
        <translation>设置CC</translation>
    </message>
    <message>
        <source>CC Range Staring at</source>
        <translation>CC范围值开始</translation>
    </message>
    <message>
        <source>CC Channel</source>
        <translation>CC通道</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>With CC</source>
        <translation>带CC</translation>
    </message>
</context>
<context>
    <name>BatchKnobsPC</name>
    <message>
        <source>Set PC</source>
        <translation>设置PC</translation>
    </message>
    <message>
        <source>PC Range Staring at</source>
        <translation>PC值范围位于</translation>
    </message>
    <message>
        <source>PC Channel</source>
        <translation>PC通道</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>With PC</source>
        <translation>使用PC</translation>
    </message>
</context>
<context>
    <name>BatchOrder</name>
    <message>
        <source>ASC</source>
        <translation>升序</translation>
    </message>
    <message>
        <source>DES</source>
        <translation>降序</translation>
    </message>
</context>
<context>
    <name>BatchPadCC</name>
    <message>
        <source>Set CC</source>
        <translation>设置CC</translation>
    </message>
    <message>
        <source>CC Range Staring at</source>
        <translation>CC范围开始</translation>
    </message>
    <message>
        <source>CC Channel</source>
        <translation>CC通道</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Moment</source>
        <translation>即时</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>切换</translation>
    </message>
    <message>
        <source>With Value</source>
        <translation>带值</translation>
    </message>
</context>
<context>
    <name>BatchPadNote</name>
    <message>
        <source>Set NOTE</source>
        <translation>设置NOTE</translation>
    </message>
    <message>
        <source>SCALE</source>
        <translation>规模</translation>
    </message>
    <message>
        <source>Starting at</source>
        <translation>编号起始值</translation>
    </message>
    <message>
        <source>NOTE CC Channel</source>
        <translation>设置CC通道</translation>
    </message>
</context>
<context>
    <name>BatchPadPC</name>
    <message>
        <source>Set PC</source>
        <translation>设置PC</translation>
    </message>
    <message>
        <source>PC Range Staring at</source>
        <translation>设置PC范围</translation>
    </message>
    <message>
        <source>PC Channel</source>
        <translation>PC通道</translation>
    </message>
    <message>
        <source>With Value</source>
        <translation>带值</translation>
    </message>
</context>
<context>
    <name>ColorDialog</name>
    <message>
        <source>R</source>
        <translation>红</translation>
    </message>
    <message>
        <source>G</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>B</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>确认</translation>
    </message>
</context>
<context>
    <name>ColorSet</name>
    <message>
        <source>Set Color</source>
        <translation>设置颜色</translation>
    </message>
    <message>
        <source>R</source>
        <translation>红</translation>
    </message>
    <message>
        <source>G</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>B</source>
        <translation>蓝</translation>
    </message>
</context>
<context>
    <name>FunctionDialog</name>
    <message>
        <source>Auto Populate</source>
        <translation>快速布局</translation>
    </message>
    <message>
        <source>PADs</source>
        <translation>打击垫</translation>
    </message>
    <message>
        <source>KNOBs</source>
        <translation>旋钮</translation>
    </message>
    <message>
        <source>Apply to BANK A</source>
        <translation>应用到A组</translation>
    </message>
    <message>
        <source>Apply to BANK B</source>
        <translation>应用到B组</translation>
    </message>
    <message>
        <source>Apply to A&amp;B</source>
        <translation>应用到A&amp;B</translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>Vornel PC Control Windows OS</source>
        <translation>Vornel PC控制面板 Win客户端</translation>
    </message>
    <message>
        <source>Vornel PC Control Linux</source>
        <translation>Vornel PC控制面板 Linux客户端</translation>
    </message>
    <message>
        <source>Version：</source>
        <translation>版本号：</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>固件版本号：</translation>
    </message>
    <message>
        <source>firmware updates</source>
        <translation>固件升级</translation>
    </message>
</context>
<context>
    <name>Knob</name>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>MIN</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>MAX</source>
        <translation>最大</translation>
    </message>
</context>
<context>
    <name>PadKey</name>
    <message>
        <source>KEY</source>
        <translation>按键</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Pad colour</source>
        <translation>打击垫颜色</translation>
    </message>
</context>
<context>
    <name>WalkingBelt</name>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
</context>
</TS>
