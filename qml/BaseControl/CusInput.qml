import QtQuick 2.15

// Number field of up to three digits. When editing finishes (Enter or focus
// leaving) the text is normalised: above maxRange becomes maxRange, an empty
// or zero entry becomes "0", leading zeros go. editingFinished() is emitted
// after that, so handlers always see the corrected text.
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
        onEditingFinished: {
            root.normalise()
            root.editingFinished()
        }
    }
    FocusRing { shown: input.activeFocus }
}
