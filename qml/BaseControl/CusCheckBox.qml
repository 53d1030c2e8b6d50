import QtQuick 2.15
import QtQuick.Controls 2.15

// Small square check box with an orange tick.
CheckBox {
    id: control
    // Hover help, also read out by screen readers as the description.
    property string tip: ""
    ToolTip.text: tip
    ToolTip.visible: hovered && tip !== ""
    ToolTip.delay: 600
    Accessible.description: tip
    width: 14
    height: 14
    padding: 0
    spacing: 0
    text: ""

    indicator: Rectangle {
        width: control.width
        height: control.height
        color: "transparent"
        border.width: 1
        border.color: CusConfig.colorBorderInput

        // The tick is drawn orange in the picture itself.
        Image {
            id: tick
            anchors.fill: parent
            source: "qrc:/img/Check.png"
            visible: control.checked
        }
    }
    contentItem: Item {}
    TransArea {}
    FocusRing { shown: control.visualFocus }
}
