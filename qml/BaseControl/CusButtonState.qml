import QtQuick 2.15
import QtQuick.Controls 2.15

// Two-state button: text1 while unchecked, text2 while checked.
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
    property string text1: qsTr("Momentary")
    property string text2: qsTr("Toggle")
    property color backgroundColorNormal: CusConfig.colorElement
    property color backgroundColorHovered: Qt.lighter(CusConfig.colorElement, 1.2)
    property color backgroundColorPressed: Qt.darker(CusConfig.colorElement, 1.2)
    property color backgroundColorDisable: CusConfig.colorCbxDisable
    // The second state is drawn in orange with dark text, so that it cannot
    // be mistaken for a pressed or hovered first state.
    property color backgroundColorChecked: "#FF7900"
    property color textColorChecked: "#1e1e1e"

    checkable: true
    text: checked ? text2 : text1
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2
    padding: 0
    implicitWidth: 72
    implicitHeight: 14

    contentItem: Text {
        text: control.text
        font: control.font
        color: !control.enabled ? CusConfig.colorTextDisable
             : control.checked ? control.textColorChecked
             : CusConfig.colortext
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: CusConfig.radiuSize3
        border.width: control.enabled ? 0 : 1
        border.color: CusConfig.colorBorderInput
        color: !control.enabled ? control.backgroundColorDisable
             : control.checked ? (control.down ? Qt.darker(control.backgroundColorChecked, 1.2)
                                : control.hovered ? Qt.lighter(control.backgroundColorChecked, 1.1)
                                : control.backgroundColorChecked)
             : control.down ? control.backgroundColorPressed
             : control.hovered ? control.backgroundColorHovered
             : control.backgroundColorNormal
    }
    TransArea {}
    FocusRing { shown: control.visualFocus }
}
