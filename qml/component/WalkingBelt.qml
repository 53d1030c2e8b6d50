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
        onActivated: root.write("wbCh", index + 1)
    }
    CusTabBar {
        id: typeBar
        objectName: "typeBar"
        x: 6
        y: 78
        text1: "CC"
        text2: "MC"
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
