import QtQuick 2.15
import "../BaseControl"

// Transient result hint. popup(text) shows the text at once and keeps it for
// 1.5 s after the latest call; it fades in and out over 200 ms.
Item {
    id: root
    property string text: ""
    property alias holdTimer: holdTimer
    readonly property bool showing: state === "pop"

    width: 200
    height: 25

    function popup(newText) {
        root.text = newText
        root.state = "pop"
        holdTimer.stop()
        holdTimer.start()
    }

    Rectangle {
        id: panel
        y: 6
        width: root.width
        height: root.height
        radius: 3
        color: "#e5e5e5"
        opacity: 0

        Text {
            x: 0
            y: 0
            width: panel.width
            height: panel.height
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: root.text
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Accessible.ignored: !root.showing
            color: "#333333"
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
        }
        Behavior on opacity {
            NumberAnimation { duration: 200 }
        }
    }

    Timer {
        id: holdTimer
        interval: 1500
        repeat: false
        onTriggered: root.state = ""
    }

    states: State {
        name: "pop"
        PropertyChanges { target: panel; opacity: 1 }
    }
}
