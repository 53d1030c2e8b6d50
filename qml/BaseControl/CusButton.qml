import QtQuick 2.15
import QtQuick.Controls 2.15

// Filled push button in the accent colour.
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
    property color backgroundColorNormal: CusConfig.colorElement
    property color backgroundColorHovered: Qt.lighter(CusConfig.colorElement, 1.2)
    property color backgroundColorPressed: Qt.darker(CusConfig.colorElement, 1.2)
    property color backgroundColorDisable: CusConfig.colorCbxDisable
    property color textColor: CusConfig.colortext

    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2
    padding: 0
    implicitWidth: 96
    implicitHeight: 24

    contentItem: Text {
        text: control.text
        font: control.font
        color: control.textColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: CusConfig.radiuSize3
        color: !control.enabled ? control.backgroundColorDisable
             : (control.down || control.checked) ? control.backgroundColorPressed
             : control.hovered ? control.backgroundColorHovered
             : control.backgroundColorNormal
    }
    TransArea {}
    FocusRing { shown: control.visualFocus }
}
