import QtQuick 2.15
import QtQuick.Controls 2.15
import "../BaseControl"
import "EditorRules.js" as Rules

// Editor of one transport button: CC (controller number, Momentary/Toggle,
// channel) or MC (the keyboard's own transport message, no settings).
Rectangle {
    id: root
    property int index: 0

    property alias numberField: numberField
    property alias modeButton: modeButton
    property alias channelList: channelList
    property alias typeBar: typeBar
    property bool ready: false
    readonly property bool ccMode: typeBar.currentIndex === 0
    // How screen readers call this button: by its transport function.
    readonly property var ownerNames: [qsTr("Loop button"), qsTr("Rewind button"), qsTr("Fast forward button"),
                                       qsTr("Stop button"), qsTr("Play/pause button"), qsTr("Record button")]
    readonly property string ownerName: (index >= 0 && index < ownerNames.length) ? ownerNames[index]
                                                                                   : qsTr("Transport button %1").arg(index + 1)

    width: 76
    height: 96
    color: "#3d3d3d"
    radius: 10

    function write(key, value) {
        if (ready)
            DataMgt.setWalkingBeltInfo(index, key, value)
    }

    function reload() {
        var info = DataMgt.getWalkingBeltInfo(index)
        if (!Rules.has(info, "wbtype"))
            return
        var t = Rules.choiceIndex(info.wbtype, 2)
        if (t >= 0)
            typeBar.currentIndex = t
        numberField.text = Rules.fieldText(info.wbData, 127)
        channelList.currentIndex = Rules.channelIndex(info.wbCh)
        modeButton.checked = info.wbMode !== 0
    }

    BasicText {
        x: 13
        y: 16
        height: 14
        text: "#"
        enabled: root.ccMode
    }
    EditField {
        id: numberField
        objectName: "numberField"
        x: 36
        y: 16
        width: 32
        enabled: root.ccMode
        accessibleName: qsTr("%1 controller number").arg(root.ownerName)
        onCommitted: root.write("wbData", value)
    }
    CusButtonState {
        id: modeButton
        objectName: "modeButton"
        x: 2
        y: 36
        width: 72
        height: 14
        enabled: root.ccMode
        Accessible.name: qsTr("%1 behaviour").arg(root.ownerName)
        tip: qsTr("Momentary: on while held. Toggle: each press switches on or off.")
        onClicked: root.write("wbMode", checked ? 1 : 0)
    }
    BasicText {
        x: 13
        y: 55
        height: 14
        text: qsTr("CH")
        font.pixelSize: 10
    }
    CusCombox {
        id: channelList
        objectName: "channelList"
        x: 36
        y: 56
        width: 32
        height: 14
        elementColor: CusConfig.colorInput
        model: Rules.channelTexts()
        enabled: root.ccMode
        Accessible.name: qsTr("%1 channel").arg(root.ownerName)
        onActivated: root.write("wbCh", index + 1)
    }
    CusTabBar {
        id: typeBar
        objectName: "typeBar"
        x: 6
        y: 78
        text1: "CC"
        text2: "MC"
        accessibleName: qsTr("%1 type").arg(root.ownerName)
        tip1: qsTr("CC: the button sends its controller number on its channel")
        tip2: qsTr("MC: the button sends the keyboard's own transport command; number, behaviour and channel do not apply")
        text3: ""
        itemWidth: 31
        itemHidth: 16
        btnImgNormal: "qrc:/img/bqmBtnSmall@2x.png"
        btnImgChecked: "qrc:/img/bqmBtnSmallCheck@2x.png"
        onCurrentIndexChanged: {
            if (currentIndex >= 0)
                root.write("wbtype", currentIndex)
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
