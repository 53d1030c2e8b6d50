import QtQuick 2.15
import QtQuick.Controls 2.15

// Plain label: vertically centred, left-aligned, light on dark.
Text {
    id: label
    // Hover help for what the label names (shown after a short rest).
    property string tip: ""

    Accessible.role: Accessible.StaticText
    Accessible.name: text
    Accessible.description: tip
    Accessible.ignored: text === "" || !visible

    verticalAlignment: Text.AlignVCenter
    horizontalAlignment: Text.AlignLeft
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2
    color: enabled ? CusConfig.colortext : CusConfig.colorTextDisable

    HoverHandler {
        id: hover
        enabled: label.tip !== ""
    }
    ToolTip.text: tip
    ToolTip.visible: hover.hovered && tip !== ""
    ToolTip.delay: 600
}
