import QtQuick 2.15
import QtQuick.Controls 2.15

// Text-only button (links, the note-name label). An optional picture appears
// under it while the pointer is over it.
Button {
    id: control
    // Hover help, also read out by screen readers as the description.
    property string tip: ""
    ToolTip.text: tip
    ToolTip.visible: hovered && tip !== ""
    ToolTip.delay: 600
    Accessible.description: tip
    // Read out as the control's text unless the page names it better.
    Accessible.name: text
    property int fonSize: CusConfig.fontSizeLevel2
    property url imgSource: ""
    property color textColorNormal: CusConfig.colorBorderInput
    // Where the picture appears, from the button's top.
    property real imgY: 18

    leftPadding: 0
    rightPadding: 0
    topPadding: 0
    bottomPadding: 0
    font.family: CusConfig.fontFamily
    font.pixelSize: fonSize

    contentItem: Text {
        text: control.text
        font: control.font
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: !control.enabled ? CusConfig.colorCbxDisable
             : (control.down || control.checked) ? Qt.darker(CusConfig.colorElement, 1.2)
             : control.hovered ? Qt.lighter(CusConfig.colorElement, 1.2)
             : control.textColorNormal
    }
    background: Item {}

    CusImage {
        anchors.horizontalCenter: parent.horizontalCenter
        y: control.imgY
        z: 100
        source: control.imgSource
        visible: control.hovered && String(control.imgSource) !== ""
    }
    TransArea {}
    FocusRing { shown: control.visualFocus }
}
