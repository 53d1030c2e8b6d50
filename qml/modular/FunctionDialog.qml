import QtQuick 2.15
import QtQuick.Controls 2.15
import Q7X.Access 1.0
import "../BaseControl"
import "../component"
import ".."

// "Auto Populate": fills the pads or knobs of BANK A, BANK B or both in one
// step. One pad section and one knob section at most are enabled; each apply
// button calls, for every enabled section, its batch operation with the
// button's bank (1 = A, 2 = B, 3 = A & B). The dialog is created once, so its
// settings stay from one opening to the next.
Dialog {
    id: dialog
    // The store the batch operations go to.
    property var store: DataMgt

    property alias padNote: padNote
    property alias padCc: padCc
    property alias padPc: padPc
    property alias knobCc: knobCc
    property alias knobPc: knobPc
    property alias scaler: scaler
    property alias applyA: applyA
    property alias applyB: applyB
    property alias applyAB: applyAB
    property alias closeButton: closeButton
    property alias resultText: resultText

    modal: true
    // Names the dialog for screen readers; the dialog draws its own heading.
    title: qsTr("Auto Populate")
    header: null
    DialogName { dialog: dialog; name: dialog.title }
    width: 667
    height: 475
    padding: 0

    function scalingRate() {
        var r = (typeof MainLogic !== "undefined" && MainLogic) ? Number(MainLogic.getScalingRate()) : 1.0
        return (isFinite(r) && r > 0) ? r : 1.0
    }

    function applyRate(rate) {
        width = 667 * rate
        height = 475 * rate
        scaler.verticalRatio = rate
        scaler.horizontalRatio = rate
        scaler.resize()
    }

    function show() {
        if (parent) {
            x = (parent.width - width) / 2
            y = (parent.height - height) / 2
        }
        open()
    }

    // Exclusive sections within a group: checking one unchecks the others.
    function exclusive(section, group) {
        if (!section.checkBox.checked)
            return
        for (var i = 0; i < group.length; ++i) {
            if (group[i] !== section)
                group[i].checkBox.checked = false
        }
    }

    function number(field) {
        field.normalise()
        return field.value
    }

    // What the last apply did, in words, shown under the knob group.
    function describeApply(bank, sections) {
        if (sections.length === 0)
            return qsTr("Nothing applied: tick a section first.")
        var target = bank === 1 ? qsTr("BANK A") : bank === 2 ? qsTr("BANK B") : qsTr("BANK A and BANK B")
        return qsTr("Applied to %1: %2.").arg(target).arg(sections.join(qsTr(", ")))
    }

    function apply(bank) {
        var done = []
        if (padNote.checkBox.checked)
            done.push(qsTr("pad notes"))
        if (padCc.checkBox.checked)
            done.push(qsTr("pad CC"))
        if (padPc.checkBox.checked)
            done.push(qsTr("pad PC"))
        if (knobCc.checkBox.checked)
            done.push(qsTr("knob CC"))
        if (knobPc.checkBox.checked)
            done.push(qsTr("knob PC"))
        applyBatches(bank)
        resultText.text = describeApply(bank, done)
        resultText.applied = done.length > 0
    }

    function applyBatches(bank) {
        if (padNote.checkBox.checked) {
            var rules = padNote.scaleName
            var noteDes = padNote.orderButton.checked
            var noteStart = number(padNote.startField)
            var noteCh = padNote.channelList.channel
            console.debug("setPadNoteBatch", bank, rules, noteDes, noteStart, noteCh)
            store.setPadNoteBatch(bank, rules, noteDes, noteStart, noteCh)
        }
        if (padCc.checkBox.checked) {
            var ccDes = padCc.orderButton.checked
            var ccLatch = padCc.typeButton.checked
            var ccStart = number(padCc.startField)
            var ccCh = padCc.channelList.channel
            console.debug("setPadCCBatch", bank, ccDes, ccLatch, ccStart, ccCh)
            store.setPadCCBatch(bank, ccDes, ccLatch, ccStart, ccCh)
        }
        if (padPc.checkBox.checked) {
            var pcDes = padPc.orderButton.checked
            var pcStart = number(padPc.startField)
            var pcCh = padPc.channelList.channel
            console.debug("setPadPCBatch", bank, pcDes, pcStart, pcCh)
            store.setPadPCBatch(bank, pcDes, pcStart, pcCh)
        }
        var knobSections = [[knobCc, "CC"], [knobPc, "PC"]]
        for (var i = 0; i < knobSections.length; ++i) {
            var s = knobSections[i][0]
            if (!s.checkBox.checked)
                continue
            var type = knobSections[i][1]
            var des = s.orderButton.checked
            var start = number(s.startField)
            var ch = s.channelList.channel
            var min = number(s.minField)
            var max = number(s.maxField)
            console.debug("setKnobsBatch", bank, type, des, start, ch, min, max)
            store.setKnobsBatch(bank, type, des, start, ch, min, max)
        }
    }

    background: Rectangle {
        color: CusConfig.colorTitle
        radius: CusConfig.radiuSize2
    }

    Item {
        id: content
        anchors.fill: parent

        Text {
            x: 0
            y: 5
            width: 667
            height: 30
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: qsTr("Auto Populate")
            color: CusConfig.colorTitleText
            font.family: CusConfig.fontFamily
            font.pixelSize: 18
            font.bold: true
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }
        CusButton_Image {
            id: closeButton
            objectName: "closeButton"
            x: 624
            y: 6
            btnImgNormal: "qrc:/img/icon_close_default.png"
            btnImgHovered: "qrc:/img/icon_close_click.png"
            btnImgPressed: "qrc:/img/icon_close_click.png"
            Accessible.name: qsTr("Close Auto Populate")
            tip: Accessible.name
            onClicked: dialog.close()
        }

        LineRect {
            x: 21
            y: 51
            width: 309
            height: 368
            radius: 15
            maskLength: 55
            text: qsTr("PADs")
        }
        LineRect {
            x: 338
            y: 51
            width: 309
            height: 300
            radius: 15
            maskLength: 55
            text: qsTr("KNOBs")
        }

        BatchPadNote {
            id: padNote
            x: 28
            y: 65
            checkBox.onCheckedChanged: dialog.exclusive(padNote, [padNote, padCc, padPc])
        }
        BatchPadCC {
            id: padCc
            x: 28
            y: 185
            checkBox.onCheckedChanged: dialog.exclusive(padCc, [padNote, padCc, padPc])
        }
        BatchPadPC {
            id: padPc
            x: 28
            y: 305
            checkBox.onCheckedChanged: dialog.exclusive(padPc, [padNote, padCc, padPc])
        }
        BatchKnobsCC {
            id: knobCc
            x: 345
            y: 65
            checkBox.onCheckedChanged: dialog.exclusive(knobCc, [knobCc, knobPc])
        }
        BatchKnobsPC {
            id: knobPc
            x: 345
            y: 205
            checkBox.onCheckedChanged: dialog.exclusive(knobPc, [knobCc, knobPc])
        }

        // What the buttons did (or why nothing happened), under the knob
        // group; the buttons below act on both groups.
        Rectangle {
            objectName: "resultBox"
            x: 338
            y: 362
            width: 309
            height: 57
            radius: 6
            color: resultText.applied ? "#e6f4ea" : "#f0f0f0"
            border.width: 1
            border.color: resultText.applied ? "#5a9e6f" : "#c8c8c8"
            Text {
                id: resultText
                objectName: "resultText"
                property bool applied: false
                x: 10
                y: 4
                width: 289
                height: 49
                wrapMode: Text.WordWrap
                verticalAlignment: Text.AlignVCenter
                text: qsTr("Tick one pad section and one knob section at most, then apply them to a bank.")
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                color: "#333333"
                font.family: CusConfig.fontFamily
                font.pixelSize: CusConfig.fontSizeLevel2
            }
        }

        CusButton {
            id: applyA
            objectName: "applyA"
            x: 127
            y: 434
            width: 130
            height: 26
            text: qsTr("Apply to BANK A")
            onClicked: dialog.apply(1)
        }
        CusButton {
            id: applyB
            objectName: "applyB"
            x: 269
            y: 434
            width: 130
            height: 26
            text: qsTr("Apply to BANK B")
            onClicked: dialog.apply(2)
        }
        CusButton {
            id: applyAB
            objectName: "applyAB"
            x: 411
            y: 434
            width: 130
            height: 26
            text: qsTr("Apply to A&B")
            onClicked: dialog.apply(3)
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
