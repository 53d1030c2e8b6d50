import QtQuick 2.15
import QtQuick.Window 2.15
import "../BaseControl"

// Colour-setting row: a colour square with its red, green and blue values.
// A click on the square opens the colour dialog; editing a value recolours
// the square.
Item {
    id: root
    // The colour dialog the square opens; the window's one when left empty.
    property var colorDialog: null
    property alias checkBox: checkBox
    property alias colorRect: square
    property alias redField: redField
    property alias greenField: greenField
    property alias blueField: blueField

    width: 248
    height: 56

    function colorString(r, g, b) {
        if (typeof MainLogic !== "undefined" && MainLogic && MainLogic.rgbtoStr)
            return String(MainLogic.rgbtoStr(r, g, b))
        function hex(v) { return (v < 16 ? "0" : "") + v.toString(16) }
        return "#" + hex(r) + hex(g) + hex(b)
    }

    function dialog() {
        if (colorDialog)
            return colorDialog
        var w = Window.window
        if (w && typeof w.ensureDialogs === "function")
            w.ensureDialogs()
        return (w && w.colorDialog) ? w.colorDialog : null
    }

    // Opens the colour dialog for the square (index -1: a colour-setting row).
    function openColorDialog() {
        var dlg = dialog()
        if (dlg)
            dlg.show(-1, square, String(square.color))
    }

    function fieldsChanged() {
        square.color = colorString(redField.value, greenField.value, blueField.value)
    }

    Text {
        x: 0
        y: 23
        width: 87
        horizontalAlignment: Text.AlignRight
        text: qsTr("Set Color")
        color: CusConfig.colorTitleText
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel2
    }

    Rectangle {
        id: square
        objectName: "colorSquare"
        x: 103
        y: 21
        width: 16
        height: 16
        color: "#000000"

        // Sets the row's fields from a colour string.
        function syncColorValue(color) {
            var s = String(color)
            if (!/^#[0-9a-fA-F]{6}$/.test(s))
                return
            redField.text = String(parseInt(s.substr(1, 2), 16))
            greenField.text = String(parseInt(s.substr(3, 2), 16))
            blueField.text = String(parseInt(s.substr(5, 2), 16))
        }

        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: root.openColorDialog()
        }
    }

    Repeater {
        model: [qsTr("R"), qsTr("G"), qsTr("B")]
        Text {
            x: 130
            y: 20 * index
            width: 20
            height: 16
            horizontalAlignment: Text.AlignRight
            verticalAlignment: Text.AlignVCenter
            text: modelData
            color: CusConfig.colorTitleText
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
        }
    }
    CusInput {
        id: redField
        objectName: "redField"
        x: 155
        y: 0
        width: 48
        height: 16
        maxRange: 255
        color: "#e5e5e5"
        textColor: "#707070"
        onEditingFinished: root.fieldsChanged()
    }
    CusInput {
        id: greenField
        objectName: "greenField"
        x: 155
        y: 20
        width: 48
        height: 16
        maxRange: 255
        color: "#e5e5e5"
        textColor: "#707070"
        onEditingFinished: root.fieldsChanged()
    }
    CusInput {
        id: blueField
        objectName: "blueField"
        x: 155
        y: 40
        width: 48
        height: 16
        maxRange: 255
        color: "#e5e5e5"
        textColor: "#707070"
        onEditingFinished: root.fieldsChanged()
    }

    CusCheckBox {
        id: checkBox
        objectName: "checkBox"
        x: 219
        y: 22
    }
}
