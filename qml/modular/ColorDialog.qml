import QtQuick 2.15
import QtQuick.Controls 2.15
import ColorP 1.0
import Q7X.Access 1.0
import "../BaseControl"
import "../component"
import ".."

// Colour dialog: a hue wheel, red/green/blue fields 0 ... 255, a preview and
// cancel/confirm. show(index, colorRect, rectColor) opens it for the
// rectangle colorRect; index is -1 for a colour-setting row and the pad's
// store index for a pad. A confirmed pad colour is stored in the parameter
// store and the pad's square then shows the colour as stored.
Dialog {
    id: dialog
    property string currentColor: "#000000"
    property var colorRect: null
    property int keyIndex: -1
    // The store pad colours are written to.
    property var store: DataMgt

    property alias wheel: wheel
    property alias redField: redField
    property alias greenField: greenField
    property alias blueField: blueField
    property alias preview: preview
    property alias cancelButton: cancelButton
    property alias confirmButton: confirmButton

    signal colorConfirmed(int index, string color)

    property alias titleText: titleText
    property alias scaler: scaler

    modal: true
    // Names the dialog for screen readers; the dialog draws its own heading.
    title: keyIndex >= 0 ? qsTr("Colour of pad %1").arg(keyIndex + 1) : qsTr("Choose a colour")
    header: null
    DialogName { dialog: dialog; name: dialog.title }
    width: 360
    height: 430
    padding: 0
    // A press beside the dialog does not throw the picked colour away:
    // only "Cancel", "Confirm" or Escape close it.
    closePolicy: Popup.CloseOnEscape

    function scalingRate() {
        var r = (typeof MainLogic !== "undefined" && MainLogic) ? Number(MainLogic.getScalingRate()) : 1.0
        return (isFinite(r) && r > 0) ? r : 1.0
    }
    function applyRate(rate) {
        width = 360 * rate
        height = 430 * rate
        scaler.verticalRatio = rate
        scaler.horizontalRatio = rate
        scaler.resize()
    }

    // The title names the pad being coloured ("PAD5, BANK B").
    function titleFor(index) {
        if (index < 0)
            return qsTr("Colour")
        var bank = index < 8 ? qsTr("BANK A") : qsTr("BANK B")
        return qsTr("Colour of PAD%1, %2").arg(index % 8 + 1).arg(bank)
    }

    // "#rrggbb" of three 0 ... 255 components.
    function colorString(r, g, b) {
        if (typeof MainLogic !== "undefined" && MainLogic && MainLogic.rgbtoStr)
            return String(MainLogic.rgbtoStr(r, g, b))
        function hex(v) { return (v < 16 ? "0" : "") + v.toString(16) }
        return "#" + hex(r) + hex(g) + hex(b)
    }

    // Sets the three fields from a colour string; anything that is not
    // "#" and six hexadecimal digits leaves them as they are.
    function syncFields(color) {
        var s = String(color)
        if (!/^#[0-9a-fA-F]{6}$/.test(s))
            return
        redField.text = String(parseInt(s.substr(1, 2), 16))
        greenField.text = String(parseInt(s.substr(3, 2), 16))
        blueField.text = String(parseInt(s.substr(5, 2), 16))
    }

    function show(index, rect, rectColor) {
        if (parent) {
            x = (parent.width - width) / 2
            y = (parent.height - height) / 2
        }
        open()
        wheel.clearPoint()
        colorRect = rect
        currentColor = String(rectColor)
        keyIndex = index
        titleText.text = titleFor(index)
        syncFields(currentColor)
    }

    function fieldsChanged() {
        currentColor = colorString(redField.value, greenField.value, blueField.value)
        wheel.clearPoint()
    }

    function confirm() {
        var color = currentColor
        if (keyIndex >= 0) {
            store.setPadColor(keyIndex, redField.value, greenField.value, blueField.value)
            var stored = String(store.getPadColor(keyIndex))
            if (stored !== "")
                color = stored
        } else if (colorRect && typeof colorRect.syncColorValue === "function") {
            colorRect.syncColorValue(color)
        }
        accept()
        if (colorRect)
            colorRect.color = color
        colorConfirmed(keyIndex, color)
    }

    background: Rectangle {
        color: CusConfig.colorInput
        border.width: 1
        radius: CusConfig.radiuSize2
    }

    Item {
        anchors.fill: parent

        Text {
            id: titleText
            objectName: "titleText"
            x: 0
            y: 6
            width: 360
            height: 20
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: dialog.titleFor(dialog.keyIndex)
            Accessible.role: Accessible.Heading
            Accessible.name: text
            color: CusConfig.colortext
            font.family: CusConfig.fontFamily
            font.pixelSize: 12
            font.bold: true
        }

        ColorPalette {
            id: wheel
            objectName: "wheel"
            // Centred across the dialog.
            x: 30
            y: 30
            width: 300
            height: 300
            Accessible.role: Accessible.ColorChooser
            Accessible.name: qsTr("Colour wheel")
            onColorChang: {
                dialog.currentColor = colorStr
                dialog.syncFields(colorStr)
            }
            MouseArea {
                anchors.fill: parent
                onPressed: wheel.mouseMove(Math.floor(mouse.x), Math.floor(mouse.y))
                onPositionChanged: if (pressed) wheel.mouseMove(Math.floor(mouse.x), Math.floor(mouse.y))
            }
        }

        Rectangle {
            id: preview
            objectName: "preview"
            x: 296
            y: 306
            width: 24
            height: 24
            color: dialog.currentColor
            Accessible.role: Accessible.Graphic
            Accessible.name: qsTr("Chosen colour %1").arg(dialog.currentColor)
            border.width: 1
            border.color: CusConfig.colorBorderInput
        }

        Repeater {
            model: [qsTr("R"), qsTr("G"), qsTr("B")]
            BasicText {
                x: 63 + 80 * index
                y: 340
                width: 20
                height: 16
                horizontalAlignment: Text.AlignRight
                text: modelData
            }
        }
        CusInput {
            id: redField
            objectName: "redField"
            accessibleName: qsTr("Red")
            x: 88
            y: 340
            width: 48
            height: 16
            maxRange: 255
            outlined: true
            onEditingFinished: dialog.fieldsChanged()
        }
        CusInput {
            id: greenField
            objectName: "greenField"
            accessibleName: qsTr("Green")
            x: 168
            y: 340
            width: 48
            height: 16
            maxRange: 255
            outlined: true
            onEditingFinished: dialog.fieldsChanged()
        }
        CusInput {
            id: blueField
            objectName: "blueField"
            accessibleName: qsTr("Blue")
            x: 248
            y: 340
            width: 48
            height: 16
            maxRange: 255
            outlined: true
            onEditingFinished: dialog.fieldsChanged()
        }

        CusButton {
            id: cancelButton
            objectName: "cancelButton"
            x: 60
            y: 374
            width: 100
            height: 24
            text: qsTr("Cancel")
            onClicked: dialog.reject()
        }
        CusButton {
            id: confirmButton
            objectName: "confirmButton"
            x: 200
            y: 374
            width: 100
            height: 24
            text: qsTr("Confirm")
            onClicked: dialog.confirm()
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
