import QtQuick 2.15

// Orange ring around the control that has the keyboard focus. Placed as a
// child of the control with `shown` bound to its focus; it lies just outside
// the control's edge and is left out of the layout scaler's records (it
// follows the control through its anchors).
Rectangle {
    property bool shown: false
    property real gap: 2

    objectName: "ingnoreAll"
    anchors.fill: parent
    anchors.margins: -gap
    z: 100
    visible: shown
    color: "transparent"
    radius: 4
    border.width: 2
    border.color: "#FF7900"
}
