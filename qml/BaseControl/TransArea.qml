import QtQuick 2.15

// Transparent pointer area laid over a control: it tracks hovering and shows
// the right cursor but hands every button and wheel event on to the control.
MouseArea {
    anchors.fill: parent
    hoverEnabled: true
    propagateComposedEvents: true
    cursorShape: enabled ? Qt.PointingHandCursor : Qt.ForbiddenCursor

    onPressed: mouse.accepted = false
    onReleased: mouse.accepted = false
    onClicked: mouse.accepted = false
    onDoubleClicked: mouse.accepted = false
    onPositionChanged: mouse.accepted = false
    onPressAndHold: mouse.accepted = false
    onWheel: wheel.accepted = false
}
