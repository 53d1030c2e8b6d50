import QtQuick 2.15
import "../BaseControl"

// Connection status: a dot and a text. State "connect" while a keyboard is
// connected, the default state otherwise.
Item {
    id: root
    readonly property bool connected: state === "connect"
    property alias dotColor: dot.color
    property alias textColor: label.color
    property alias text: label.text

    width: 150
    height: 18

    Rectangle {
        id: dot
        y: 6
        width: 6
        height: 6
        radius: 3
        color: "#707070"
    }
    Text {
        id: label
        x: 10
        height: 18
        verticalAlignment: Text.AlignVCenter
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel2
        // A binding rather than a state change, so that a change of language
        // retranslates the text that is showing.
        text: root.connected ? qsTr("Device connected") : qsTr("No device found")
        color: "#a0a0a0"
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    states: State {
        name: "connect"
        PropertyChanges { target: dot; color: "#ff7900" }
        PropertyChanges { target: label; color: CusConfig.colortext }
    }
}
