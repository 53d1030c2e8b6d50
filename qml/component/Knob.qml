import QtQuick 2.15
import QtQuick.Controls 2.15
import "../BaseControl"
import "EditorRules.js" as Rules

// Editor of one knob: type (CC / PC / TOUCH), controller number, channel and
// the range MIN ... MAX. Fields are written when editing finishes, lists when
// an item is picked; a reload writes nothing except the type selector's index
// when the reload changes it.
Rectangle {
    id: root
    property int keyIndex: 0
    property int number: 1

    property alias numberField: numberField
    property alias channelList: channelList
    property alias minField: minField
    property alias maxField: maxField
    property alias typeBar: typeBar
    property alias caption: caption
    property bool ready: false
    // How screen readers call this knob: by its number among all 16.
    readonly property string ownerName: qsTr("Knob %1").arg(keyIndex + 1)

    width: 108
    height: 124
    color: "#333333"
    radius: 1

    function write(key, value) {
        if (ready)
            DataMgt.setKnobInfo(keyIndex, key, value)
    }

    function reload() {
        var info = DataMgt.getKnobInfo(keyIndex)
        if (!Rules.has(info, "knboType"))
            return
        var t = Rules.choiceIndex(info.knboType, 3)
        if (t >= 0)
            typeBar.currentIndex = t
        numberField.text = Rules.fieldText(info.knboData, 127)
        channelList.currentIndex = Rules.channelIndex(info.knboCh)
        minField.text = Rules.fieldText(info.knboMin, 127)
        maxField.text = Rules.fieldText(info.knboMax, 127)
    }

    Text {
        id: caption
        x: 5
        y: 4
        text: "K" + root.number
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        color: "#ff7900"
        font.family: CusConfig.fontFamily
        font.pixelSize: 10
    }
    BankBadge {
        x: 5
        y: 20
        bank: Math.floor(root.keyIndex / 8)
    }
    CusImage {
        x: 26
        y: 6
        source: "qrc:/img/pic_tool@2x.png"
    }

    // Two columns of label and field; labels are right-aligned against
    // their fields with a small gap, whatever the language.
    BasicText {
        x: 2
        y: 69
        width: 21
        height: 16
        horizontalAlignment: Text.AlignRight
        text: "#"
        enabled: numberField.enabled
    }
    EditField {
        id: numberField
        objectName: "numberField"
        x: 25
        y: 70
        width: 26
        radius: 4
        enabled: typeBar.currentIndex === 0
        accessibleName: qsTr("%1 controller number").arg(root.ownerName)
        onCommitted: root.write("knboData", value)
    }
    BasicText {
        x: 54
        y: 69
        width: 21
        height: 16
        horizontalAlignment: Text.AlignRight
        text: qsTr("CH")
    }
    CusCombox {
        id: channelList
        objectName: "channelList"
        x: 78
        y: 70
        width: 28
        height: 14
        elementColor: CusConfig.colorInput
        model: Rules.channelTexts()
        Accessible.name: qsTr("%1 channel").arg(root.ownerName)
        onActivated: root.write("knboCh", index + 1)
    }
    BasicText {
        x: 2
        y: 88
        width: 21
        height: 16
        horizontalAlignment: Text.AlignRight
        text: qsTr("MIN")
    }
    EditField {
        id: minField
        objectName: "minField"
        x: 25
        y: 89
        width: 26
        radius: 4
        accessibleName: qsTr("%1 minimum").arg(root.ownerName)
        onCommitted: root.write("knboMin", value)
    }
    BasicText {
        x: 54
        y: 88
        width: 21
        height: 16
        horizontalAlignment: Text.AlignRight
        text: qsTr("MAX")
    }
    EditField {
        id: maxField
        objectName: "maxField"
        x: 78
        y: 89
        width: 28
        radius: 4
        accessibleName: qsTr("%1 maximum").arg(root.ownerName)
        onCommitted: root.write("knboMax", value)
    }

    CusTabBar {
        id: typeBar
        objectName: "typeBar"
        x: 0
        y: 106
        text1: "CC"
        text2: "PC"
        text3: qsTr("TOUCH")
        accessibleName: qsTr("%1 type").arg(root.ownerName)
        tip1: qsTr("CC: the knob sends its controller number, from MIN to MAX")
        tip2: qsTr("PC: the knob sends program changes, from MIN to MAX")
        tip3: qsTr("TOUCH: the knob sends aftertouch, from MIN to MAX; it has no controller number")
        itemSmallWidth: 36
        itemWidth: 36
        itemHidth: 16
        btnSmallImgNormal: "qrc:/img/bqmBtnSmall@2x.png"
        btnSmallImgChecked: "qrc:/img/bqmBtnSmallCheck@2x.png"
        btnImgNormal: "qrc:/img/bqmBtnSmall@2x.png"
        btnImgChecked: "qrc:/img/bqmBtnSmallCheck@2x.png"
        onCurrentIndexChanged: {
            if (currentIndex >= 0)
                root.write("knboType", currentIndex)
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
