pragma Singleton
import QtQuick 2.15

// Style constants shared by every styled control and page.
QtObject {
    // The interface font. Windows has Microsoft YaHei; elsewhere Noto Sans CJK
    // covers Latin and Chinese alike (fonts-noto-cjk), so both languages render
    // in one consistent face.
    readonly property string fontFamily: Qt.platform.os === "windows" ? "微软雅黑" : "Noto Sans CJK SC"

    readonly property int fontSizeLevel1: 16
    readonly property int fontSizeLevel2: 10
    readonly property int fontSizeLevel3: 8
    readonly property int tipTextPixel: 12

    readonly property color colorElement: "#5e17cc"
    readonly property color colorInput: "#282A2B"
    readonly property color colorInputDisable: "#333333"
    readonly property color colortext: "#E5E5E5"
    readonly property color colorTextDisable: "#a6a6a6"
    readonly property color colorCbxDisable: "#333333"
    readonly property color colorBorderInput: "#707070"
    readonly property color colorBorderPopup: "#383A3E"
    readonly property color colorLine: "#707070"
    readonly property color colorMainBg: "#373737"
    readonly property color colorblock: "#3D3D3D"
    readonly property color colorTextYellow: "#FF7900"
    readonly property color colorTitle: "#E5E5E5"
    readonly property color colorMenbar: "#D9D9D9"
    readonly property color colorTitleText: "#383A3E"

    readonly property int radiuSize1: 15
    readonly property int radiuSize2: 10
    readonly property int radiuSize3: 5

    readonly property int scrollBarRadius: 2
    readonly property int scrollBarMinLen: 40
    readonly property int scrollBarSize: 10
    readonly property int scrollBarSize_Smaller: 5
}
