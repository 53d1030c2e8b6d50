import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import "../BaseControl"
import "EditorRules.js" as Rules

// Editor of one pad: type (NOTE / CC / PC), note, controller or program
// number, channel, Momentary/Toggle and colour. Every change the user makes is
// written to the store at once; a reload (s_updateDate) only shows the stored
// values, except that the type selector writes its index back when the
// reload changes it.
Rectangle {
    id: root
    // Store index 0 ... 15 and the number shown in the caption (1 ... 8).
    property int keyIndex: 0
    property int number: 1
    // The note-name table (NoteDataModel), usually shared by the page.
    property var noteModel: null
    // The colour dialog; if none is given the window's one is used.
    property var colorDialog: null

    readonly property int padType: typeBar.currentIndex
    // How screen readers call this pad: by its number among all 16.
    readonly property string ownerName: qsTr("Pad %1").arg(keyIndex + 1)
    property alias numberField: numberField
    property alias noteList: noteList
    property alias channelList: channelList
    property alias modeButton: modeButton
    property alias typeBar: typeBar
    property alias swatch: swatch
    property alias caption: caption

    // Writes are allowed once the editor has set itself up.
    property bool ready: false
    property bool reloading: false

    signal colorDialogRequested(int index)
    // The swatch took another colour (a reload, a confirmed pick).
    signal swatchColorChanged()

    width: 118
    height: 118
    color: "#a6a6a6"
    radius: 10
    border.width: 3
    border.color: "#282a2b"

    function write(key, value) {
        if (ready)
            DataMgt.setPadInfo(keyIndex, key, value)
    }

    // In NOTE mode the note list shows the number field's note. Switching
    // to NOTE moves the list to the number the store holds (rather than the
    // field to whatever the list last showed), so the pad never shows a note
    // other than the one it sends.
    function applyMode() {
        if (typeBar.currentIndex !== 0)
            return
        var v = parseInt(numberField.text, 10)
        if (!isNaN(v) && v >= 0 && v <= 127)
            noteList.currentIndex = v
    }

    function reload() {
        var info = DataMgt.getPadInfo(keyIndex)
        if (!Rules.has(info, "padtype"))
            return
        reloading = true
        var t = Rules.choiceIndex(info.padtype, 3)
        if (t >= 0)
            typeBar.currentIndex = t
        numberField.text = Rules.fieldText(info.padData, 127)
        channelList.currentIndex = Rules.channelIndex(info.padCh)
        modeButton.checked = info.padMode !== 0
        reloading = false
        refreshColor()
    }

    function refreshColor() {
        var c = DataMgt.getPadColor(keyIndex)
        if (c !== undefined && c !== null && String(c) !== "")
            swatch.color = c
    }

    function dialog() {
        if (colorDialog)
            return colorDialog
        var w = Window.window
        if (w && typeof w.ensureDialogs === "function")
            w.ensureDialogs()
        return (w && w.colorDialog) ? w.colorDialog : null
    }

    function openColorDialog() {
        var dlg = dialog()
        colorDialogRequested(keyIndex)
        if (dlg)
            dlg.show(keyIndex, swatch, String(swatch.color))
    }

    Rectangle {
        x: 6
        y: 6
        width: 106
        height: 106
        color: "#333333"
        radius: 5
    }

    // Rows: caption with bank badge and colour; number; note; channel;
    // Momentary/Toggle; type. Every label sits in the row of its field.
    Text {
        id: caption
        x: 11
        y: 9
        height: 14
        verticalAlignment: Text.AlignVCenter
        text: "PAD" + root.number
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        color: "#ff7900"
        font.family: CusConfig.fontFamily
        font.pixelSize: 10
    }
    BankBadge {
        x: 43
        y: 11
        bank: Math.floor(root.keyIndex / 8)
    }

    // The pad's colour, as the pad lights; a click opens the colour dialog.
    Text {
        x: 56
        y: 9
        width: 28
        height: 14
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        text: qsTr("COLOR")
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        color: CusConfig.colorTextDisable
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel3
    }
    Rectangle {
        id: swatch
        objectName: "swatch"
        onColorChanged: root.swatchColorChanged()
        x: 87
        y: 10
        width: 20
        height: 12
        radius: 2
        color: "#000000"
        border.width: 1
        border.color: CusConfig.colorBorderInput
        Accessible.role: Accessible.Button
        Accessible.name: qsTr("%1 colour").arg(root.ownerName)
        Accessible.description: swatchArea.ToolTip.text
        Accessible.onPressAction: root.openColorDialog()
        MouseArea {
            id: swatchArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: root.openColorDialog()
            ToolTip.visible: containsMouse
            ToolTip.delay: 600
            ToolTip.text: qsTr("Colour of this pad's light; click to choose it")
        }
    }

    BasicText {
        x: 11
        y: 26
        width: 33
        height: 14
        text: "#"
    }
    EditField {
        id: numberField
        objectName: "numberField"
        x: 46
        y: 26
        width: 56
        radius: 2
        accessibleName: typeBar.currentIndex === 1 ? qsTr("%1 controller number").arg(root.ownerName)
                      : typeBar.currentIndex === 2 ? qsTr("%1 program number").arg(root.ownerName)
                      : qsTr("%1 note number").arg(root.ownerName)
        textInput.onTextChanged: {
            // In NOTE mode the note list follows every keystroke.
            if (typeBar.currentIndex !== 0)
                return
            var v = parseInt(textInput.text, 10)
            if (!isNaN(v) && v >= 0 && v <= 127 && noteList.currentIndex !== v)
                noteList.currentIndex = v
        }
        onCommitted: root.write("padData", value)
    }

    BasicText {
        x: 11
        y: 44
        width: 33
        height: 14
        text: qsTr("KEY")
        enabled: noteList.enabled
    }
    CusComboxGrid {
        id: noteList
        objectName: "noteList"
        x: 46
        y: 44
        width: 56
        height: 14
        elementColor: CusConfig.colorInput
        soleValue: false
        model: root.noteModel
        // Handing over the store index makes the rightmost column open its
        // grid to the left, so that it stays inside the window.
        keyIndex: root.keyIndex
        enabled: typeBar.currentIndex === 0
        Accessible.name: qsTr("%1 note").arg(root.ownerName)
        // The shared table may fill after this pad has loaded its number.
        onCountChanged: root.applyMode()
        onActivated: {
            numberField.text = String(index)
            root.write("padData", index)
        }
    }

    BasicText {
        x: 11
        y: 62
        width: 33
        height: 14
        text: qsTr("CH")
    }
    CusCombox {
        id: channelList
        objectName: "channelList"
        x: 46
        y: 62
        width: 56
        height: 14
        elementColor: CusConfig.colorInput
        model: Rules.channelTexts()
        Accessible.name: qsTr("%1 channel").arg(root.ownerName)
        onActivated: root.write("padCh", index + 1)
    }

    CusButtonState {
        id: modeButton
        objectName: "modeButton"
        x: 23
        y: 80
        width: 72
        height: 14
        font.pixelSize: 9
        enabled: typeBar.currentIndex === 1
        Accessible.name: qsTr("%1 button behaviour").arg(root.ownerName)
        tip: qsTr("Momentary: on while held. Toggle: each press switches on or off.")
        onClicked: root.write("padMode", checked ? 1 : 0)
    }

    CusTabBar {
        id: typeBar
        objectName: "typeBar"
        x: 9
        y: 97
        text1: qsTr("NOTE")
        text2: "CC"
        text3: "PC"
        accessibleName: qsTr("%1 type").arg(root.ownerName)
        onCurrentIndexChanged: {
            root.applyMode()
            if (currentIndex >= 0)
                root.write("padtype", currentIndex)
        }
    }

    Connections {
        target: DataMgt
        function onS_updateDate() { root.reload() }
    }

    Component.onCompleted: {
        applyMode()
        reload()
        ready = true
    }
}
