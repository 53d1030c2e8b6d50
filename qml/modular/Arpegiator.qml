import QtQuick 2.15
import QtQuick.Controls 2.15
import "../BaseControl"
import "../component"
import "../component/EditorRules.js" as Rules

// Arpeggiator: tempo (30 ... 280 BPM), mode, latch, time division and swing.
Item {
    id: root
    property alias tempoField: tempoField
    property alias modeList: modeList
    property alias latchSwitch: latchSwitch
    property alias timeList: timeList
    property alias swingList: swingList

    width: 230
    height: 72

    function reload() {
        var info = DataMgt.getARPInfo()
        if (!Rules.has(info, "tempo1"))
            return
        var tempo = Rules.unsignedByte(info.tempo1) + Rules.unsignedByte(info.tempo2) + 30
        tempoField.text = String(Math.min(280, tempo))
        modeList.currentIndex = Rules.choiceIndex(info.mode, modeList.count)
        latchSwitch.checked = info.latch !== 0
        timeList.currentIndex = Rules.choiceIndex(info.time, timeList.count)
        swingList.currentIndex = Rules.choiceIndex(info.swing, swingList.count)
    }

    LineRectText {
        anchors.fill: parent
        text: qsTr("ARPEGIATOR")
    }

    BasicText { x: 13; y: 12; height: 14; text: qsTr("TEMPO") }
    EditField {
        id: tempoField
        objectName: "tempoField"
        outlined: true
        x: 49
        y: 12
        width: 56
        maxRange: 280
        accessibleName: qsTr("Arpeggiator tempo in beats per minute")
        onCommitted: {
            // The field already caps at 280; the arpeggiator runs from 30.
            var tempo = Math.max(30, value)
            text = String(tempo)
            DataMgt.setARPInfo("tempo", tempo)
        }
    }

    BasicText { x: 13; y: 32; height: 14; text: qsTr("MODE") }
    CusCombox {
        id: modeList
        objectName: "modeList"
        x: 49
        y: 32
        width: 64
        height: 14
        elementColor: CusConfig.colorInput
        outlined: true
        // Shown translated by the list itself.
        model: [QT_TRANSLATE_NOOP("CusCombox", "UP"), QT_TRANSLATE_NOOP("CusCombox", "DOWN"),
                QT_TRANSLATE_NOOP("CusCombox", "EXCLUSIVE"), QT_TRANSLATE_NOOP("CusCombox", "INCLUSIVE"),
                QT_TRANSLATE_NOOP("CusCombox", "ORDER"), QT_TRANSLATE_NOOP("CusCombox", "RANDOM")]
        Accessible.name: qsTr("Arpeggiator mode")
        onActivated: DataMgt.setARPInfo("mode", index)
    }

    BasicText { x: 13; y: 52; height: 14; text: qsTr("LATCH"); tip: latchSwitch.tip }
    // The switch's box sits at (65, 46); the switch itself (no padding of
    // its own) is centred in it, on the "LATCH" row.
    Item {
        x: 65
        y: 46
        width: 24
        height: 26
        CusSwitch {
            id: latchSwitch
            objectName: "latchSwitch"
            x: 0
            y: 7
            width: 24
            height: 12
            Accessible.name: qsTr("Arpeggiator latch")
            tip: qsTr("LATCH on: the arpeggio keeps playing after you release the keys")
            onToggled: DataMgt.setARPInfo("latch", checked ? 1 : 0)
        }
    }

    BasicText { x: 117; y: 12; height: 14; text: qsTr("TIME DIV") }
    CusCombox {
        id: timeList
        objectName: "timeList"
        x: 165
        y: 12
        width: 54
        height: 14
        elementColor: CusConfig.colorInput
        outlined: true
        model: ["1/4", "1/4T", "1/8", "1/8T", "1/16", "1/16T", "1/32", "1/32T"]
        Accessible.name: qsTr("Arpeggiator time division")
        onActivated: DataMgt.setARPInfo("time", index)
    }

    BasicText { x: 117; y: 32; height: 14; text: qsTr("SWING") }
    CusCombox {
        id: swingList
        objectName: "swingList"
        x: 165
        y: 32
        width: 54
        height: 14
        elementColor: CusConfig.colorInput
        outlined: true
        model: ["50%", "55%", "57%", "59%", "61%", "64%"]
        Accessible.name: qsTr("Arpeggiator swing")
        onActivated: DataMgt.setARPInfo("swing", index)
    }

    Connections {
        target: DataMgt
        function onS_updateDate() { root.reload() }
    }

    Component.onCompleted: reload()
}
