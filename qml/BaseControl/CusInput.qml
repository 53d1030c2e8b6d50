import QtQuick 2.15
import QtQuick.Controls 2.15

// Number field of up to three digits. When editing finishes (Enter or focus
// leaving) the text is normalised: above maxRange becomes maxRange, an empty
// or zero entry becomes "0", leading zeros go. editingFinished() is emitted
// after that, so handlers always see the corrected text. A typed value above
// the range is never changed silently: the field says its range for a moment.
Rectangle {
    id: root
    property int maxRange: 127
    // A thin frame around the field, for fields on a background of their
    // own colour, where the field would otherwise not show.
    property bool outlined: false
    property color textColor: CusConfig.colortext
    property alias textInput: input
    property alias text: input.text
    readonly property int value: parseInt(input.text, 10) || 0
    // What the field is and whose it is, for screen readers ("Pad 5 note
    // number"); the field's value is read out separately.
    property string accessibleName: ""

    signal editingFinished()

    // Tells the range after a typed value was brought into it.
    function showRange() {
        var r = (typeof MainLogic !== "undefined" && MainLogic) ? Number(MainLogic.getScalingRate()) : 1.0
        rangeTip.rate = (isFinite(r) && r > 0) ? r : 1.0
        rangeTip.text = qsTr("Range: 0 to %1").arg(root.maxRange)
        rangeTip.open()
        rangeTimer.restart()
    }

    // Applies the range rule to the current text; also usable by pages that
    // set a value programmatically.
    function normalise() {
        var v = parseInt(input.text, 10)
        var out
        if (isNaN(v) || v <= 0)
            out = "0"
        else if (v > maxRange)
            out = String(maxRange)
        else
            out = String(v)
        if (input.text !== out)
            input.text = out
    }

    width: 56
    height: 14
    radius: height / 2
    color: enabled ? CusConfig.colorInput : CusConfig.colorInputDisable
    border.width: (enabled && !outlined) ? 0 : 1
    border.color: CusConfig.colorBorderInput

    TextInput {
        id: input
        anchors.fill: parent
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel2
        color: root.enabled ? root.textColor : CusConfig.colorTextDisable
        selectionColor: CusConfig.colorElement
        selectedTextColor: CusConfig.colortext
        selectByMouse: true
        inputMask: "000"
        text: "0"
        clip: true
        Accessible.role: Accessible.EditableText
        Accessible.name: root.accessibleName
        // Set while Enter hands the focus back, whose own editingFinished
        // would report the same editing twice.
        property bool leaving: false
        onEditingFinished: {
            if (leaving)
                return
            var typed = parseInt(input.text, 10)
            root.normalise()
            if (!isNaN(typed) && typed > root.maxRange)
                root.showRange()
            root.editingFinished()
            // Enter ends the editing: the keys go back to the window, so
            // that Ctrl+Z undoes the committed value instead of the typing.
            if (input.activeFocus) {
                leaving = true
                input.focus = false
                leaving = false
            }
        }
    }
    FocusRing { shown: input.activeFocus }

    ToolTip {
        id: rangeTip
        objectName: "rangeTip"
        property real rate: 1.0
        y: -height - 2 * rate
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel2 * rate
    }
    Timer {
        id: rangeTimer
        interval: 2500
        onTriggered: rangeTip.close()
    }
}
