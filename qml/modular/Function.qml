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
        text: "FUNCTION"
    }

    BasicText { x: 6; y: 12; height: 14; text: "FULL VEL" }
    CusCombox {
        id: rangeList
        objectName: "rangeList"
        x: 87
        y: 10
        width: 64
        height: 14
        elementColor: CusConfig.colorInput
        model: ["PAD", "KEYBOARD", "ALL"]
        onActivated: DataMgt.setFuncInfo("strengthRange", index)
    }

    BasicText { x: 156; y: 10; height: 14; text: "FULL VEL VALUE" }
    EditField {
        id: fullVelField
        objectName: "fullVelField"
        x: 234
        y: 10
        width: 56
        onCommitted: DataMgt.setFuncInfo("fullForceValue", value)
    }

    BasicText { x: 6; y: 32; height: 14; text: "PIANO CURVE" }
    CusCombox {
        id: keyCurveList
        objectName: "keyCurveList"
        x: 87
        y: 30
        width: 64
        height: 14
        elementColor: CusConfig.colorInput
        model: ["LINER", "EXP", "LO"]
        onActivated: DataMgt.setFuncInfo("keyCurve", index)
    }

    BasicText { x: 156; y: 32; height: 14; text: "PAD CURVE" }
    CusCombox {
        id: padCurveList
        objectName: "padCurveList"
        x: 232
        y: 30
        width: 64
        height: 14
        elementColor: CusConfig.colorInput
        model: ["LINER", "EXP", "LO"]
        onActivated: DataMgt.setFuncInfo("padCurve", index)
    }

    BasicText { x: 6; y: 52; height: 14; text: "SUSTAIN" }
    CusCombox {
        id: sustainList
        objectName: "sustainList"
        x: 87
        y: 50
        width: 64
        height: 14
        elementColor: CusConfig.colorInput
        model: ["NORMAL", "REVERSE"]
        onActivated: DataMgt.setFuncInfo("sustain", index)
    }

    Connections {
        target: DataMgt
        function onS_updateDate() { root.reload() }
    }

    Component.onCompleted: reload()
}
