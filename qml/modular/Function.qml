import QtQuick 2.15
import QtQuick.Controls 2.15
import "../BaseControl"
import "../component"
import "../component/EditorRules.js" as Rules

// Global performance settings: full-velocity range and value, key and pad
// velocity curves, sustain pedal polarity.
Item {
    id: root
    property alias rangeList: rangeList
    property alias fullVelField: fullVelField
    property alias keyCurveList: keyCurveList
    property alias padCurveList: padCurveList
    property alias sustainList: sustainList

    width: 297
    height: 72

    function reload() {
        var info = DataMgt.getFuncInfo()
        if (!Rules.has(info, "strengthRange"))
            return
        rangeList.currentIndex = Rules.choiceIndex(info.strengthRange, rangeList.count)
        keyCurveList.currentIndex = Rules.choiceIndex(info.keyCurve, keyCurveList.count)
        padCurveList.currentIndex = Rules.choiceIndex(info.padCurve, padCurveList.count)
        sustainList.currentIndex = Rules.choiceIndex(info.sustain, sustainList.count)
        fullVelField.text = Rules.fieldText(info.fullForceValue, 127)
    }

    LineRectText {
        anchors.fill: parent
        text: qsTr("FUNCTION")
    }

    BasicText { x: 6; y: 10; height: 14; text: qsTr("FULL VEL"); tip: rangeList.tip }
    CusCombox {
        id: rangeList
        objectName: "rangeList"
        x: 87
        y: 10
        width: 64
        height: 14
        elementColor: CusConfig.colorInput
        outlined: true
        model: [QT_TRANSLATE_NOOP("CusCombox", "PAD"), QT_TRANSLATE_NOOP("CusCombox", "KEYBOARD"),
                QT_TRANSLATE_NOOP("CusCombox", "ALL")]
        Accessible.name: qsTr("Full velocity applies to")
        tip: qsTr("FULL VEL: the pads, the keys or both always play at the FULL VEL VALUE velocity")
        onActivated: DataMgt.setFuncInfo("strengthRange", index)
    }

    BasicText { x: 156; y: 10; height: 14; text: qsTr("FULL VEL VALUE"); tip: rangeList.tip }
    EditField {
        id: fullVelField
        objectName: "fullVelField"
        outlined: true
        x: 234
        y: 10
        width: 56
        accessibleName: qsTr("Full velocity value")
        onCommitted: DataMgt.setFuncInfo("fullForceValue", value)
    }

    BasicText { x: 6; y: 30; height: 14; text: qsTr("PIANO CURVE"); tip: keyCurveList.tip }
    CusCombox {
        id: keyCurveList
        objectName: "keyCurveList"
        x: 87
        y: 30
        width: 64
        height: 14
        elementColor: CusConfig.colorInput
        outlined: true
        model: [QT_TRANSLATE_NOOP("CusCombox", "LINER"), QT_TRANSLATE_NOOP("CusCombox", "EXP"),
                QT_TRANSLATE_NOOP("CusCombox", "LO")]
        Accessible.name: qsTr("Piano key velocity curve")
        tip: qsTr("PIANO CURVE: how the force on the piano keys turns into velocity (LINER: even, EXP: rises steeply, LO: softer)")
        onActivated: DataMgt.setFuncInfo("keyCurve", index)
    }

    BasicText { x: 156; y: 30; height: 14; text: qsTr("PAD CURVE"); tip: padCurveList.tip }
    CusCombox {
        id: padCurveList
        objectName: "padCurveList"
        x: 232
        y: 30
        width: 64
        height: 14
        elementColor: CusConfig.colorInput
        outlined: true
        model: [QT_TRANSLATE_NOOP("CusCombox", "LINER"), QT_TRANSLATE_NOOP("CusCombox", "EXP"),
                QT_TRANSLATE_NOOP("CusCombox", "LO")]
        Accessible.name: qsTr("Pad velocity curve")
        tip: qsTr("PAD CURVE: how the force on the pads turns into velocity (LINER: even, EXP: rises steeply, LO: softer)")
        onActivated: DataMgt.setFuncInfo("padCurve", index)
    }

    BasicText { x: 6; y: 50; height: 14; text: qsTr("SUSTAIN"); tip: sustainList.tip }
    CusCombox {
        id: sustainList
        objectName: "sustainList"
        x: 87
        y: 50
        width: 64
        height: 14
        elementColor: CusConfig.colorInput
        outlined: true
        model: [QT_TRANSLATE_NOOP("CusCombox", "NORMAL"), QT_TRANSLATE_NOOP("CusCombox", "REVERSE")]
        Accessible.name: qsTr("Sustain pedal polarity")
        tip: qsTr("SUSTAIN: choose REVERSE if the sustain pedal works the wrong way round")
        onActivated: DataMgt.setFuncInfo("sustain", index)
    }

    Connections {
        target: DataMgt
        function onS_updateDate() { root.reload() }
    }

    Component.onCompleted: reload()
}
