import QtQuick 2.15
import QtQuick.Controls 2.15

// Small on/off switch without a text; the knob jumps without animation.
Switch {
    id: control
    // Hover help, also read out by screen readers as the description.
    property string tip: ""
    ToolTip.text: tip
    ToolTip.visible: hovered && tip !== ""
    ToolTip.delay: 600
    Accessible.description: tip
    text: ""
    padding: 0
    spacing: 0
    implicitWidth: 24
    implicitHeight: 12

    indicator: Item {
        implicitWidth: 24
        implicitHeight: 12
        width: control.width
        height: control.height

        Rectangle {
            id: track
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width
            height: parent.height * 2 / 3
            radius: height / 2
            color: control.enabled ? "#282A2B" : "#919191"
        }
        // The filled part reaches the knob's centre. Positions here are anchors,
        // not computed x values, so that the layout scaler (which assigns
        // geometry) cannot freeze the knob in place.
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            anchors.left: parent.left
            anchors.right: knob.horizontalCenter
            height: track.height
            radius: track.radius
            color: control.enabled ? "#5E17CC" : Qt.darker("#5E17CC", 1.2)
        }
        Rectangle {
            id: knob
            width: parent.height
            height: parent.height
            radius: width / 2
            anchors.left: control.checked ? undefined : parent.left
            anchors.right: control.checked ? parent.right : undefined
            color: control.enabled ? "#E5E5E5" : "#b6bdc5"
        }
    }
    contentItem: Item {}
    TransArea {}
    FocusRing { shown: control.visualFocus }
}
