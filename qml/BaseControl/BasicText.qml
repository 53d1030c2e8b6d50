import QtQuick 2.15

// Plain label: vertically centred, left-aligned, light on dark.
Text {
    verticalAlignment: Text.AlignVCenter
    horizontalAlignment: Text.AlignLeft
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2
    color: enabled ? CusConfig.colortext : CusConfig.colorTextDisable
}
