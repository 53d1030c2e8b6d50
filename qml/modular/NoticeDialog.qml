import QtQuick 2.15
import QtQuick.Controls 2.15
import Q7X.Access 1.0
import "../BaseControl"
import ".."

// A short message with an OK button, for what the window has to tell
// without a question (a user guide that cannot be opened, for example).
// notify(title, message) opens it centred in the window.
Dialog {
    id: dialog
    property string message: ""
    property alias messageText: messageText
    property alias okButton: okButton
    property alias scaler: scaler

    modal: true
    // The title names the dialog for screen readers and heads its text.
    header: null
    DialogName { dialog: dialog; name: dialog.title }
    width: 358
    height: 140
    padding: 0

    function scalingRate() {
        var r = (typeof MainLogic !== "undefined" && MainLogic) ? Number(MainLogic.getScalingRate()) : 1.0
        return (isFinite(r) && r > 0) ? r : 1.0
    }
    function applyRate(rate) {
        width = 358 * rate
        height = 140 * rate
        scaler.verticalRatio = rate
        scaler.horizontalRatio = rate
        scaler.resize()
    }
    function notify(heading, text) {
        title = heading
        message = text
        if (parent) {
            x = (parent.width - width) / 2
            y = (parent.height - height) / 2
        }
        open()
        okButton.forceActiveFocus()
    }

    background: Rectangle {
        color: "#f0f0f0"
        border.width: 1
        radius: CusConfig.radiuSize2
    }

    Item {
        anchors.fill: parent

        Text {
            objectName: "titleText"
            x: 20
            y: 14
            width: 318
            text: dialog.title
            elide: Text.ElideRight
            color: "#333333"
            font.family: CusConfig.fontFamily
            font.pixelSize: 12
            font.bold: true
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }
        Text {
            id: messageText
            objectName: "messageText"
            x: 20
            y: 38
            width: 318
            height: 56
            wrapMode: Text.Wrap
            text: dialog.message
            color: "#333333"
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        CusButton {
            id: okButton
            objectName: "okButton"
            x: 129
            y: 104
            width: 100
            height: 24
            text: qsTr("OK")
            Accessible.name: qsTr("OK, close %1").arg(dialog.title)
            onClicked: dialog.close()
            Keys.onReturnPressed: dialog.close()
        }

        AutoResize {
            id: scaler
        }
    }

    Connections {
        target: (typeof MainLogic !== "undefined") ? MainLogic : null
        function onScreenChanged() { dialog.applyRate(dialog.scalingRate()) }
    }

    Component.onCompleted: {
        scaler.begin()
        applyRate(scalingRate())
    }
}
