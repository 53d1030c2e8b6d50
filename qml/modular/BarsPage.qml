import QtQuick 2.15
import QtQuick.Controls 2.15
import "../BaseControl"
import "../component"
import "../component/EditorRules.js" as Rules

// Pitch and modulation wheels.
//
// The modulation type selector ("CC" / "MOD") follows the user as well as a
// reloaded configuration. A user's choice writes the type and the value the
// field then shows (MOD always sends 1, going back to CC restores the number
// remembered when MOD was chosen). A reload only shows the stored type and
// value and writes nothing, so opening a preset never alters it.
Item {
    id: root
    property alias selfReturn: selfReturn
    property alias returnTimeField: returnTimeField
    property alias pitchChannelList: pitchChannelList
    property alias modValueField: modValueField
    property alias modMinField: modMinField
    property alias modMaxField: modMaxField
    property alias modChannelList: modChannelList
    property alias modTypeBar: modTypeBar

    // Controller number remembered when the user last chose MOD.
    property string rememberedCc: "0"
    property bool ready: false
    property bool reloading: false
    // The block titles' orange, a shade lighter than the captions' so that
    // it reads on the blocks' grey.
    readonly property color titleColor: "#ff8c26"

    width: 96
    height: 445

    function reload() {
        reloading = true
        var pitch = DataMgt.getPitchInfo()
        if (Rules.has(pitch, "selfReturn")) {
            selfReturn.checked = pitch.selfReturn !== 0
            returnTimeField.text = Rules.fieldText(pitch.returnTime, 127)
            pitchChannelList.currentIndex = Rules.channelIndex(pitch.pitchCh)
        }
        var mod = DataMgt.getModInfo()
        if (Rules.has(mod, "modValue")) {
            var t = Rules.choiceIndex(mod.modType, 2)
            if (t >= 0)
                modTypeBar.currentIndex = t
            modValueField.text = Rules.fieldText(mod.modValue, 127)
            modMinField.text = Rules.fieldText(mod.modMin, 127)
            modMaxField.text = Rules.fieldText(mod.modMax, 127)
            modChannelList.currentIndex = Rules.channelIndex(mod.modCh)
        }
        reloading = false
    }

    // The user switched between CC and MOD.
    function modTypeChosen(index) {
        DataMgt.setModInfo("modType", index)
        if (index === 0) {
            modValueField.text = rememberedCc
        } else {
            rememberedCc = modValueField.text
            modValueField.text = "1"
        }
        DataMgt.setModInfo("modValue", Rules.textValue(modValueField.text))
    }

    LineRectText {
        width: 96
        height: 445
        text: qsTr("BARS")
    }
    CusImage {
        x: 8
        y: 16
        source: "qrc:/img/BARS@2x.png"
    }

    RectBlock {
        x: 8
        y: 180
        width: 80
        height: 126
        Text {
            x: 6
            y: 4
            text: qsTr("PITCH")
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            color: root.titleColor
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel3
        }
        // Divider between the self-return switch and the return time.
        CusImage {
            x: 5
            y: 47
            source: "qrc:/img/line@2x.png"
        }
        BasicText {
            x: 11
            y: 17
            height: 12
            text: qsTr("Self Return")
            font.pixelSize: CusConfig.fontSizeLevel3
        }
        CusSwitch {
            id: selfReturn
            objectName: "selfReturn"
            x: 28
            y: 30
            width: 24
            height: 12
            // Written on every change, a reload's included.
            Accessible.name: qsTr("Pitch wheel self return")
            tip: qsTr("On: the pitch wheel springs back to the centre after the Return Time")
            onCheckedChanged: if (root.ready) DataMgt.setPitchInfo("selfReturn", checked ? 1 : 0)
        }
        BasicText {
            x: 11
            y: 53
            height: 14
            text: qsTr("Return Time")
            font.pixelSize: CusConfig.fontSizeLevel3
        }
        EditField {
            id: returnTimeField
            objectName: "returnTimeField"
            x: 9
            y: 70
            width: 28
            accessibleName: qsTr("Pitch wheel return time in milliseconds")
            onCommitted: DataMgt.setPitchInfo("returnTime", value)
        }
        BasicText {
            x: 38
            y: 70
            height: 14
            text: qsTr("ms")
        }
        BasicText {
            x: 11
            y: 87
            height: 14
            text: qsTr("CH")
        }
        CusCombox {
            id: pitchChannelList
            objectName: "pitchChannelList"
            x: 9
            y: 104
            width: 28
            height: 14
            elementColor: CusConfig.colorInput
            model: Rules.channelTexts()
            Accessible.name: qsTr("Pitch wheel channel")
            onActivated: DataMgt.setPitchInfo("pitchCh", index + 1)
        }
    }

    RectBlock {
        x: 8
        y: 314
        width: 80
        height: 124
        Text {
            x: 6
            y: 4
            text: qsTr("MODULATION")
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            color: root.titleColor
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel3
        }
        BasicText {
            x: 23
            y: 27
            height: 14
            text: "#"
            enabled: modValueField.enabled
        }
        EditField {
            id: modValueField
            objectName: "modValueField"
            x: 41
            y: 28
            width: 28
            enabled: modTypeBar.currentIndex !== 1
            accessibleName: qsTr("Modulation wheel controller number")
            onCommitted: DataMgt.setModInfo("modValue", value)
        }
        BasicText {
            x: 11
            y: 47
            height: 14
            text: qsTr("MIN")
        }
        EditField {
            id: modMinField
            objectName: "modMinField"
            x: 41
            y: 48
            width: 28
            accessibleName: qsTr("Modulation wheel minimum")
            onCommitted: DataMgt.setModInfo("modMin", value)
        }
        BasicText {
            x: 11
            y: 67
            height: 14
            text: qsTr("MAX")
        }
        EditField {
            id: modMaxField
            objectName: "modMaxField"
            x: 41
            y: 68
            width: 28
            accessibleName: qsTr("Modulation wheel maximum")
            onCommitted: DataMgt.setModInfo("modMax", value)
        }
        BasicText {
            x: 11
            y: 86
            height: 14
            text: qsTr("CH")
        }
        CusCombox {
            id: modChannelList
            objectName: "modChannelList"
            x: 41
            y: 88
            width: 28
            height: 14
            elementColor: CusConfig.colorInput
            model: Rules.channelTexts()
            Accessible.name: qsTr("Modulation wheel channel")
            onActivated: DataMgt.setModInfo("modCh", index + 1)
        }
        CusTabBar {
            id: modTypeBar
            objectName: "modTypeBar"
            x: 8
            y: 105
            text1: "CC"
            text2: qsTr("MOD")
            accessibleName: qsTr("Modulation wheel type")
            tip1: qsTr("CC: the wheel sends the controller number in the # field")
            tip2: qsTr("MOD: the wheel sends the modulation controller (1)")
            text3: ""
            itemWidth: 31
            itemHidth: 16
            btnImgNormal: "qrc:/img/bqmBtnSmall@2x.png"
            btnImgChecked: "qrc:/img/bqmBtnSmallCheck@2x.png"
            onCurrentIndexChanged: {
                if (root.ready && !root.reloading && currentIndex >= 0)
                    root.modTypeChosen(currentIndex)
            }
        }
    }

    Connections {
        target: DataMgt
        function onS_updateDate() { root.reload() }
    }

    Component.onCompleted: {
        reload()
        ready = true
    }
}
