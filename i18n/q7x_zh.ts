<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
    <name>CusTabButton</name>
    <message>
        <source>BANK A</source>
        <translation>储存 A</translation>
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
    <message>
        <source>COLOR</source>
        <translation>颜色</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Try again</source>
        <translation>重试</translation>
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
</context>
</TS>
