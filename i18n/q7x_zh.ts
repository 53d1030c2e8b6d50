<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Arpegiator</name>
    <message>
        <source>ARPEGIATOR</source>
        <translation>琶音器</translation>
    </message>
    <message>
        <source>TEMPO</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Arpeggiator tempo in beats per minute</source>
        <translation>琶音器速度（每分钟拍数）</translation>
    </message>
    <message>
        <source>MODE</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Arpeggiator mode</source>
        <translation>琶音器模式</translation>
    </message>
    <message>
        <source>LATCH</source>
        <translation>保持</translation>
    </message>
    <message>
        <source>Arpeggiator latch</source>
        <translation>琶音器保持</translation>
    </message>
    <message>
        <source>LATCH on: the arpeggio keeps playing after you release the keys</source>
        <translation>保持开启：松开按键后琶音继续演奏</translation>
    </message>
    <message>
        <source>TIME DIV</source>
        <translation>时值</translation>
    </message>
    <message>
        <source>Arpeggiator time division</source>
        <translation>琶音器时值</translation>
    </message>
    <message>
        <source>SWING</source>
        <translation>摇摆</translation>
    </message>
    <message>
        <source>Arpeggiator swing</source>
        <translation>琶音器摇摆</translation>
    </message>
</context>
<context>
    <name>BankBadge</name>
    <message>
        <source>BANK A</source>
        <translation>储存 A</translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation>储存 B</translation>
    </message>
</context>
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
    <message>
        <source>BARS</source>
        <translation>滑轮</translation>
    </message>
    <message>
        <source>PITCH</source>
        <translation>弯音</translation>
    </message>
    <message>
        <source>Self Return</source>
        <translation>自动回弹</translation>
    </message>
    <message>
        <source>Pitch wheel self return</source>
        <translation>弯音轮自动回弹</translation>
    </message>
    <message>
        <source>On: the pitch wheel springs back to the centre after the Return Time</source>
        <translation>开启：弯音轮在回弹时间后弹回中间</translation>
    </message>
    <message>
        <source>Return Time</source>
        <translation>回弹时间</translation>
    </message>
    <message>
        <source>Pitch wheel return time in milliseconds</source>
        <translation>弯音轮回弹时间（毫秒）</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>毫秒</translation>
    </message>
    <message>
        <source>Pitch wheel channel</source>
        <translation>弯音轮通道</translation>
    </message>
    <message>
        <source>MODULATION</source>
        <translation>调制</translation>
    </message>
    <message>
        <source>Modulation wheel controller number</source>
        <translation>调制轮控制器编号</translation>
    </message>
    <message>
        <source>Modulation wheel minimum</source>
        <translation>调制轮最小值</translation>
    </message>
    <message>
        <source>Modulation wheel maximum</source>
        <translation>调制轮最大值</translation>
    </message>
    <message>
        <source>Modulation wheel channel</source>
        <translation>调制轮通道</translation>
    </message>
    <message>
        <source>MOD</source>
        <translation>调制</translation>
    </message>
    <message>
        <source>Modulation wheel type</source>
        <translation>调制轮类型</translation>
    </message>
    <message>
        <source>CC: the wheel sends the controller number in the # field</source>
        <translation>CC：调制轮发送 # 栏中的控制器编号</translation>
    </message>
    <message>
        <source>MOD: the wheel sends the modulation controller (1)</source>
        <translation>调制：调制轮发送调制控制器（1）</translation>
    </message>
</context>
<context>
    <name>BatchKnobsCC</name>
    <message>
        <source>Set CC</source>
        <translation>设置CC</translation>
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
    <message>
        <source>Knob controllers</source>
        <translation>旋钮CC</translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation>填充%1</translation>
    </message>
    <message>
        <source>CC Range Starting at</source>
        <translation>CC范围起始值</translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation>%1起始值</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1通道</translation>
    </message>
    <message>
        <source>%1 minimum</source>
        <translation>%1最小值</translation>
    </message>
    <message>
        <source>%1 maximum</source>
        <translation>%1最大值</translation>
    </message>
    <message>
        <source>%1 order</source>
        <translation>%1顺序</translation>
    </message>
</context>
<context>
    <name>BatchKnobsPC</name>
    <message>
        <source>Set PC</source>
        <translation>设置PC</translation>
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
    <message>
        <source>Knob programs</source>
        <translation>旋钮PC</translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation>填充%1</translation>
    </message>
    <message>
        <source>PC Range Starting at</source>
        <translation>PC范围起始值</translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation>%1起始值</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1通道</translation>
    </message>
    <message>
        <source>%1 minimum</source>
        <translation>%1最小值</translation>
    </message>
    <message>
        <source>%1 maximum</source>
        <translation>%1最大值</translation>
    </message>
    <message>
        <source>%1 order</source>
        <translation>%1顺序</translation>
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
    <message>
        <source>ASC: numbers rise from pad to pad. DES: they fall.</source>
        <translation>升序：编号逐个打击垫递增。降序：逐个递减。</translation>
    </message>
</context>
<context>
    <name>BatchPadCC</name>
    <message>
        <source>Set CC</source>
        <translation>设置CC</translation>
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
    <message>
        <source>Pad controllers</source>
        <translation>打击垫CC</translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation>填充%1</translation>
    </message>
    <message>
        <source>CC Range Starting at</source>
        <translation>CC范围起始值</translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation>%1起始值</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1通道</translation>
    </message>
    <message>
        <source>%1 button behaviour</source>
        <translation>%1按键方式</translation>
    </message>
    <message>
        <source>%1 order</source>
        <translation>%1顺序</translation>
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
        <translation>音阶</translation>
    </message>
    <message>
        <source>Starting at</source>
        <translation>编号起始值</translation>
    </message>
    <message>
        <source>Pad notes</source>
        <translation>打击垫音符</translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation>填充%1</translation>
    </message>
    <message>
        <source>%1 scale</source>
        <translation>%1音阶</translation>
    </message>
    <message>
        <source>%1 order</source>
        <translation>%1顺序</translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation>%1起始值</translation>
    </message>
    <message>
        <source>NOTE Channel</source>
        <translation>NOTE通道</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1通道</translation>
    </message>
</context>
<context>
    <name>BatchPadPC</name>
    <message>
        <source>Set PC</source>
        <translation>设置PC</translation>
    </message>
    <message>
        <source>PC Channel</source>
        <translation>PC通道</translation>
    </message>
    <message>
        <source>With Value</source>
        <translation>带值</translation>
    </message>
    <message>
        <source>Pad programs</source>
        <translation>打击垫PC</translation>
    </message>
    <message>
        <source>Fill %1</source>
        <translation>填充%1</translation>
    </message>
    <message>
        <source>PC Range Starting at</source>
        <translation>PC范围起始值</translation>
    </message>
    <message>
        <source>%1 start</source>
        <translation>%1起始值</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1通道</translation>
    </message>
    <message>
        <source>%1 order</source>
        <translation>%1顺序</translation>
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
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Colour of PAD%1, %2</source>
        <translation>打击垫%1（%2）的颜色</translation>
    </message>
    <message>
        <source>BANK A</source>
        <translation>储存 A</translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation>储存 B</translation>
    </message>
    <message>
        <source>Colour of pad %1</source>
        <translation>打击垫%1的颜色</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>选择颜色</translation>
    </message>
    <message>
        <source>Colour wheel</source>
        <translation>色轮</translation>
    </message>
    <message>
        <source>Chosen colour %1</source>
        <translation>所选颜色 %1</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
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
    <name>ConnectState</name>
    <message>
        <source>No device found</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation>已连接</translation>
    </message>
</context>
<context>
    <name>CusButtonState</name>
    <message>
        <source>Momentary</source>
        <translation>即时</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>切换</translation>
    </message>
</context>
<context>
    <name>CusCombox</name>
    <message>
        <source>Chromatic</source>
        <translation>半音阶</translation>
    </message>
    <message>
        <source>Major</source>
        <translation>大调</translation>
    </message>
    <message>
        <source>Minor</source>
        <translation>小调</translation>
    </message>
    <message>
        <source>HarmonicMinor</source>
        <translation>和声小调</translation>
    </message>
    <message>
        <source>MelodicMinor</source>
        <translation>旋律小调</translation>
    </message>
    <message>
        <source>Dorian</source>
        <translation>多利亚</translation>
    </message>
    <message>
        <source>Phrygian</source>
        <translation>弗里几亚</translation>
    </message>
    <message>
        <source>Lydian</source>
        <translation>利底亚</translation>
    </message>
    <message>
        <source>Mixolydian</source>
        <translation>混合利底亚</translation>
    </message>
    <message>
        <source>Locrian</source>
        <translation>洛克里亚</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>上行</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>下行</translation>
    </message>
    <message>
        <source>EXCLUSIVE</source>
        <translation>排他</translation>
    </message>
    <message>
        <source>INCLUSIVE</source>
        <translation>包含</translation>
    </message>
    <message>
        <source>ORDER</source>
        <translation>顺序</translation>
    </message>
    <message>
        <source>RANDOM</source>
        <translation>随机</translation>
    </message>
    <message>
        <source>PAD</source>
        <translation>打击垫</translation>
    </message>
    <message>
        <source>KEYBOARD</source>
        <translation>键盘</translation>
    </message>
    <message>
        <source>ALL</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>LINER</source>
        <translation>线性</translation>
    </message>
    <message>
        <source>EXP</source>
        <translation>指数</translation>
    </message>
    <message>
        <source>LO</source>
        <translation>低</translation>
    </message>
    <message>
        <source>NORMAL</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>REVERSE</source>
        <translation>反向</translation>
    </message>
</context>
<context>
    <name>CusInput</name>
    <message>
        <source>Range: 0 to %1</source>
        <translation>范围：0 至 %1</translation>
    </message>
</context>
<context>
    <name>CusProgress</name>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
</context>
<context>
    <name>CusTabButton</name>
    <message>
        <source>BANK A</source>
        <translation>储存 A</translation>
    </message>
</context>
<context>
    <name>EditHistory</name>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Pad Color</source>
        <translation>打击垫颜色</translation>
    </message>
    <message>
        <source>Auto Populate</source>
        <translation>快速布局</translation>
    </message>
    <message>
        <source>Restore The Default</source>
        <translation>恢复默认值</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Get From Hardware</source>
        <translation>从硬件获取</translation>
    </message>
    <message>
        <source>Open Preset</source>
        <translation>打开预设</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>The serial port %1 of the keyboard&apos;s firmware loader is gone. Reconnect the keyboard and try again.</source>
        <translation>键盘固件升级程序的串口 %1 已不存在。请重新连接键盘后重试。</translation>
    </message>
    <message>
        <source>Permission denied for the serial port %1. Your user account needs access to it: add it to the group &quot;%2&quot; that owns the device, log in again and try again.</source>
        <translation>没有访问串口 %1 的权限。您的用户帐户需要访问该设备：请将其加入拥有该设备的用户组“%2”，重新登录后重试。</translation>
    </message>
    <message>
        <source>Permission denied for the serial port %1. Your user account needs read and write access to this device; then try again.</source>
        <translation>没有访问串口 %1 的权限。您的用户帐户需要该设备的读写权限，获得权限后请重试。</translation>
    </message>
    <message>
        <source>The serial port %1 is in use by another program. Close that program and try again.</source>
        <translation>串口 %1 正被其他程序占用。请关闭该程序后重试。</translation>
    </message>
    <message>
        <source>The serial port %1 could not be opened (%2). Reconnect the keyboard and try again.</source>
        <translation>无法打开串口 %1（%2）。请重新连接键盘后重试。</translation>
    </message>
    <message>
        <source>A firmware update is already running. Wait until it has finished.</source>
        <translation>固件升级正在进行中，请等待其完成。</translation>
    </message>
    <message>
        <source>The keyboard&apos;s firmware loader was not found. Reconnect the keyboard and try again.</source>
        <translation>未找到键盘的固件升级程序。请重新连接键盘后重试。</translation>
    </message>
    <message>
        <source>The keyboard&apos;s firmware loader cancelled the update. Reconnect the keyboard and try again.</source>
        <translation>键盘的固件升级程序取消了升级。请重新连接键盘后重试。</translation>
    </message>
    <message>
        <source>The keyboard&apos;s firmware loader did not answer. Reconnect the keyboard and try again.</source>
        <translation>键盘的固件升级程序没有响应。请重新连接键盘后重试。</translation>
    </message>
    <message>
        <source>The firmware transfer to the keyboard failed. Reconnect the keyboard and try again.</source>
        <translation>向键盘传输固件失败。请重新连接键盘后重试。</translation>
    </message>
</context>
<context>
    <name>Function</name>
    <message>
        <source>FUNCTION</source>
        <translation>功能</translation>
    </message>
    <message>
        <source>FULL VEL</source>
        <translation>全力度</translation>
    </message>
    <message>
        <source>Full velocity applies to</source>
        <translation>全力度适用于</translation>
    </message>
    <message>
        <source>FULL VEL: the pads, the keys or both always play at the FULL VEL VALUE velocity</source>
        <translation>全力度：打击垫、琴键或两者始终以全力度值的力度演奏</translation>
    </message>
    <message>
        <source>FULL VEL VALUE</source>
        <translation>全力度值</translation>
    </message>
    <message>
        <source>Full velocity value</source>
        <translation>全力度值</translation>
    </message>
    <message>
        <source>PIANO CURVE</source>
        <translation>琴键曲线</translation>
    </message>
    <message>
        <source>Piano key velocity curve</source>
        <translation>琴键力度曲线</translation>
    </message>
    <message>
        <source>PIANO CURVE: how the force on the piano keys turns into velocity (LINER: even, EXP: rises steeply, LO: softer)</source>
        <translation>琴键曲线：琴键按压力度如何转换为力度值（线性：均匀；指数：陡升；低：较轻）</translation>
    </message>
    <message>
        <source>PAD CURVE</source>
        <translation>打击垫曲线</translation>
    </message>
    <message>
        <source>Pad velocity curve</source>
        <translation>打击垫力度曲线</translation>
    </message>
    <message>
        <source>PAD CURVE: how the force on the pads turns into velocity (LINER: even, EXP: rises steeply, LO: softer)</source>
        <translation>打击垫曲线：打击垫按压力度如何转换为力度值（线性：均匀；指数：陡升；低：较轻）</translation>
    </message>
    <message>
        <source>SUSTAIN</source>
        <translation>延音踏板</translation>
    </message>
    <message>
        <source>Sustain pedal polarity</source>
        <translation>延音踏板极性</translation>
    </message>
    <message>
        <source>SUSTAIN: choose REVERSE if the sustain pedal works the wrong way round</source>
        <translation>延音踏板：如果踏板作用相反，请选择反向</translation>
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
    <message>
        <source>Nothing applied: tick a section first.</source>
        <translation>未应用：请先勾选一个部分。</translation>
    </message>
    <message>
        <source>BANK A</source>
        <translation>储存 A</translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation>储存 B</translation>
    </message>
    <message>
        <source>BANK A and BANK B</source>
        <translation>储存 A 和储存 B</translation>
    </message>
    <message>
        <source>Applied to %1: %2.</source>
        <translation>已应用到%1：%2。</translation>
    </message>
    <message>
        <source>pad notes</source>
        <translation>打击垫音符</translation>
    </message>
    <message>
        <source>pad CC</source>
        <translation>打击垫 CC</translation>
    </message>
    <message>
        <source>pad PC</source>
        <translation>打击垫 PC</translation>
    </message>
    <message>
        <source>knob CC</source>
        <translation>旋钮 CC</translation>
    </message>
    <message>
        <source>knob PC</source>
        <translation>旋钮 PC</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>Tick one pad section and one knob section at most, then apply them to a bank.</source>
        <translation>最多勾选一个打击垫部分和一个旋钮部分，然后应用到储存组。</translation>
    </message>
    <message>
        <source>Close Auto Populate</source>
        <translation>关闭快速布局</translation>
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
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Copyright © Vornel. All rights reserved.</source>
        <translation>版权所有 © Vornel。保留所有权利。</translation>
    </message>
    <message>
        <source>Look for newer firmware for the connected keyboard</source>
        <translation>为已连接的键盘查找新固件</translation>
    </message>
    <message>
        <source>Close About</source>
        <translation>关闭关于</translation>
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
    <message>
        <source>Knob %1</source>
        <translation>旋钮%1</translation>
    </message>
    <message>
        <source>%1 controller number</source>
        <translation>%1控制器编号</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1通道</translation>
    </message>
    <message>
        <source>%1 minimum</source>
        <translation>%1最小值</translation>
    </message>
    <message>
        <source>%1 maximum</source>
        <translation>%1最大值</translation>
    </message>
    <message>
        <source>TOUCH</source>
        <translation>触后</translation>
    </message>
    <message>
        <source>%1 type</source>
        <translation>%1类型</translation>
    </message>
    <message>
        <source>CC: the knob sends its controller number, from MIN to MAX</source>
        <translation>CC：旋钮发送其控制器编号，范围从最小到最大</translation>
    </message>
    <message>
        <source>PC: the knob sends program changes, from MIN to MAX</source>
        <translation>PC：旋钮发送音色切换，范围从最小到最大</translation>
    </message>
    <message>
        <source>TOUCH: the knob sends aftertouch, from MIN to MAX; it has no controller number</source>
        <translation>触后：旋钮发送触后，范围从最小到最大；没有控制器编号</translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <source>BANK A</source>
        <translation>储存 A</translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation>储存 B</translation>
    </message>
    <message>
        <source>SEND TO HARDWARE</source>
        <translation>发送到硬件</translation>
    </message>
    <message>
        <source>GET FROM HARDWARE</source>
        <translation>从硬件获取</translation>
    </message>
    <message>
        <source>Pad bank</source>
        <translation>打击垫储存组</translation>
    </message>
    <message>
        <source>Show the pads of BANK A (pads 1 to 8)</source>
        <translation>显示储存 A 的打击垫（1 至 8）</translation>
    </message>
    <message>
        <source>Show the pads of BANK B (pads 9 to 16)</source>
        <translation>显示储存 B 的打击垫（9 至 16）</translation>
    </message>
    <message>
        <source>Knob bank</source>
        <translation>旋钮储存组</translation>
    </message>
    <message>
        <source>Show the knobs of BANK A (knobs 1 to 8)</source>
        <translation>显示储存 A 的旋钮（1 至 8）</translation>
    </message>
    <message>
        <source>Show the knobs of BANK B (knobs 9 to 16)</source>
        <translation>显示储存 B 的旋钮（9 至 16）</translation>
    </message>
    <message>
        <source>Last played note</source>
        <translation>最近演奏的音符</translation>
    </message>
    <message>
        <source>Send to hardware</source>
        <translation>发送到硬件</translation>
    </message>
    <message>
        <source>Write every setting shown here into the connected keyboard</source>
        <translation>将此处显示的全部设置写入已连接的键盘</translation>
    </message>
    <message>
        <source>Get from hardware</source>
        <translation>从硬件获取</translation>
    </message>
    <message>
        <source>Read the connected keyboard&apos;s settings into the editor, replacing what is shown</source>
        <translation>读取已连接键盘的设置，替换当前显示的内容</translation>
    </message>
    <message>
        <source>In sync with the keyboard</source>
        <translation>与键盘一致</translation>
    </message>
    <message>
        <source>Changed since last send</source>
        <translation>上次发送后已更改</translation>
    </message>
</context>
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
        <source>syx (*.syx)</source>
        <translation>syx (*.syx)</translation>
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
    <message>
        <source>The language choice could not be saved:
%1</source>
        <translation>无法保存语言选择：
%1</translation>
    </message>
    <message>
        <source>Keyboard connected</source>
        <translation>键盘已连接</translation>
    </message>
    <message>
        <source>The keyboard is connected. Its settings would replace changes that are neither saved nor sent.</source>
        <translation>键盘已连接。它的设置将替换尚未保存也未发送的更改。</translation>
    </message>
    <message>
        <source>Load the keyboard&apos;s settings</source>
        <translation>载入键盘的设置</translation>
    </message>
    <message>
        <source>Keep my edits</source>
        <translation>保留我的修改</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>未保存的更改</translation>
    </message>
    <message>
        <source>The configuration has changes that are neither saved nor sent to the keyboard.</source>
        <translation>配置有尚未保存也未发送到键盘的更改。</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MyFtp</name>
    <message>
        <source>Notice</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Connect the keyboard first.</source>
        <translation>请先连接设备</translation>
    </message>
    <message>
        <source>The keyboard&apos;s firmware version could not be read.</source>
        <translation>获取当前版本号失败</translation>
    </message>
    <message>
        <source>The keyboard is not connected. Connect it and try again.</source>
        <translation>键盘未连接。请连接键盘后重试。</translation>
    </message>
    <message>
        <source>The firmware image could not be saved in the folder %1. Check that this folder can be written, then try again.</source>
        <translation>无法将固件保存到文件夹 %1。请确认该文件夹可以写入，然后重试。</translation>
    </message>
    <message>
        <source>The firmware server stopped answering. Try again later.</source>
        <translation>固件服务器停止响应。请稍后重试。</translation>
    </message>
    <message>
        <source>The firmware server could not be reached. Check the internet connection and try again.</source>
        <translation>无法连接固件服务器。请检查网络连接后重试。</translation>
    </message>
    <message>
        <source>The firmware server refused the login. Try again later.</source>
        <translation>固件服务器拒绝登录。请稍后重试。</translation>
    </message>
    <message>
        <source>The firmware server failed to deliver the file. Try again later.</source>
        <translation>固件服务器未能提供文件。请稍后重试。</translation>
    </message>
    <message>
        <source>The firmware server offered an image with an unusable name. Try again later.</source>
        <translation>固件服务器提供的固件文件名无法使用。请稍后重试。</translation>
    </message>
    <message>
        <source>The firmware download was incomplete (%1 of %2 bytes). Try again.</source>
        <translation>固件下载不完整（%1 / %2 字节）。请重试。</translation>
    </message>
    <message>
        <source>The firmware server sent an unreadable firmware description. Try again later.</source>
        <translation>固件服务器发送的固件说明无法读取。请稍后重试。</translation>
    </message>
    <message>
        <source>The firmware server sent an unusable firmware image. Try again later.</source>
        <translation>固件服务器发送的固件文件无法使用。请稍后重试。</translation>
    </message>
</context>
<context>
    <name>MyMenuBar</name>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Send To Hardware</source>
        <translation>发送到硬件</translation>
    </message>
    <message>
        <source>Get From Hardware</source>
        <translation>从硬件获取</translation>
    </message>
    <message>
        <source>Restore The Default</source>
        <translation>恢复默认值</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Auto Populate</source>
        <translation>快速布局</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Open Userguide   Ctrl+H</source>
        <translation>打开用户指南</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>No program to show the user guide was found. The guide is here:
%1</source>
        <translation>找不到可以打开用户指南的程序。指南位于：
%1</translation>
    </message>
    <message>
        <source>The user guide was not found. It belongs beside the program as VornelRambaKEYQ7X.pdf or VornelRambaKEYQ7X.html.</source>
        <translation>找不到用户指南。它应与程序放在同一文件夹中，名为 VornelRambaKEYQ7X.pdf 或 VornelRambaKEYQ7X.html。</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>用户指南</translation>
    </message>
    <message>
        <source>Title bar</source>
        <translation>标题栏</translation>
    </message>
    <message>
        <source>Minimise window</source>
        <translation>最小化窗口</translation>
    </message>
    <message>
        <source>Close window</source>
        <translation>关闭窗口</translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation>菜单栏</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>未命名</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销%1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做%1</translation>
    </message>
    <message>
        <source>Recent Presets</source>
        <translation>最近的预设</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
</context>
<context>
    <name>NoticeDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>OK, close %1</source>
        <translation>确定，关闭%1</translation>
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
        <source>COLOR</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Pad %1</source>
        <translation>打击垫%1</translation>
    </message>
    <message>
        <source>%1 colour</source>
        <translation>%1颜色</translation>
    </message>
    <message>
        <source>Colour of this pad&apos;s light; click to choose it</source>
        <translation>此打击垫灯光的颜色；点击选择</translation>
    </message>
    <message>
        <source>%1 controller number</source>
        <translation>%1控制器编号</translation>
    </message>
    <message>
        <source>%1 program number</source>
        <translation>%1音色编号</translation>
    </message>
    <message>
        <source>%1 note number</source>
        <translation>%1音符编号</translation>
    </message>
    <message>
        <source>%1 note</source>
        <translation>%1音符</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1通道</translation>
    </message>
    <message>
        <source>%1 button behaviour</source>
        <translation>%1按键方式</translation>
    </message>
    <message>
        <source>Momentary: on while held. Toggle: each press switches on or off.</source>
        <translation>即时：按住时开启。切换：每按一次开关一次。</translation>
    </message>
    <message>
        <source>NOTE</source>
        <translation>音符</translation>
    </message>
    <message>
        <source>%1 type</source>
        <translation>%1类型</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Try again</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Firmware update</source>
        <translation>固件升级</translation>
    </message>
    <message>
        <source>This is already the newest firmware; no upgrade is needed!</source>
        <translation>当前已是最新版本，无需升级!</translation>
    </message>
    <message>
        <source>Firmware name:</source>
        <translation>固件名称:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本号:</translation>
    </message>
    <message>
        <source>Firmware upgrade succeeded!</source>
        <translation>固件升级成功！</translation>
    </message>
    <message>
        <source>Firmware upgrade failed!</source>
        <translation>固件升级失败！</translation>
    </message>
    <message>
        <source>Downloading the firmware…</source>
        <translation>正在下载固件…</translation>
    </message>
    <message>
        <source>Checking for new firmware…</source>
        <translation>正在检查新固件…</translation>
    </message>
    <message>
        <source>A new firmware version was found. Do you want to upgrade?</source>
        <translation>检测到新的固件版本，请确认是否升级</translation>
    </message>
    <message>
        <source>Current version: %1    New version: %2</source>
        <translation>当前版本：%1    新版本：%2</translation>
    </message>
    <message>
        <source>Firmware description</source>
        <translation>固件说明</translation>
    </message>
    <message>
        <source>Upgrade firmware</source>
        <translation>固件升级</translation>
    </message>
    <message>
        <source>Firmware transfer progress</source>
        <translation>固件传输进度</translation>
    </message>
    <message>
        <source>Sending the firmware to the keyboard: %1%</source>
        <translation>正在向键盘发送固件：%1%</translation>
    </message>
    <message>
        <source>Close firmware update</source>
        <translation>关闭固件升级</translation>
    </message>
</context>
<context>
    <name>Trans</name>
    <message>
        <source>TargetLanguage</source>
        <translation>简体中文</translation>
    </message>
</context>
<context>
    <name>WalkingBelt</name>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Loop button</source>
        <translation>循环键</translation>
    </message>
    <message>
        <source>Rewind button</source>
        <translation>快退键</translation>
    </message>
    <message>
        <source>Fast forward button</source>
        <translation>快进键</translation>
    </message>
    <message>
        <source>Stop button</source>
        <translation>停止键</translation>
    </message>
    <message>
        <source>Play/pause button</source>
        <translation>播放/暂停键</translation>
    </message>
    <message>
        <source>Record button</source>
        <translation>录音键</translation>
    </message>
    <message>
        <source>Transport button %1</source>
        <translation>走带键%1</translation>
    </message>
    <message>
        <source>%1 controller number</source>
        <translation>%1控制器编号</translation>
    </message>
    <message>
        <source>%1 behaviour</source>
        <translation>%1按键方式</translation>
    </message>
    <message>
        <source>Momentary: on while held. Toggle: each press switches on or off.</source>
        <translation>即时：按住时开启。切换：每按一次开关一次。</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1通道</translation>
    </message>
    <message>
        <source>%1 type</source>
        <translation>%1类型</translation>
    </message>
    <message>
        <source>CC: the button sends its controller number on its channel</source>
        <translation>CC：按键在其通道上发送控制器编号</translation>
    </message>
    <message>
        <source>MC: the button sends the keyboard&apos;s own transport command; number, behaviour and channel do not apply</source>
        <translation>MC：按键发送键盘自带的走带命令；编号、按键方式和通道不适用</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Succeeded in sending data</source>
        <translation>发送数据成功</translation>
    </message>
    <message>
        <source>Getting data succeeded</source>
        <translation>获取数据成功</translation>
    </message>
    <message>
        <source>Failed to send data</source>
        <translation>发送数据失败</translation>
    </message>
    <message>
        <source>Failed to get data</source>
        <translation>获取数据失败</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已保存 %1</translation>
    </message>
</context>
</TS>
