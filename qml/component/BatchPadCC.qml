import QtQuick 2.15
import "../BaseControl"

// Pads: a run of controller numbers.
BackgroundRect {
    id: root
    property alias checkBox: checkBox
    property alias startField: startField
    property alias channelList: channelList
    property alias typeButton: typeButton
    property alias orderButton: orderButton
    // How screen readers call this section's controls.
    readonly property string sectionName: qsTr("Pad controllers")

    width: 296
    color: "#ffffff"
    border.width: 1
    border.color: "#c8c8c8"
    height: 112
    radius: 6

    BatchLabel { y: 8; font.bold: true; text: qsTr("Set CC") }
    CusCheckBox { id: checkBox; objectName: "padCcCheck"; x: 150; y: 9; width: 12; height: 12; Accessible.name: qsTr("Fill %1").arg(root.sectionName) }
    BatchLabel { y: 28; text: qsTr("CC Range Starting at") }
    BatchField { id: startField; objectName: "padCcStart"; y: 28; accessibleName: qsTr("%1 start").arg(root.sectionName) }
    BatchLabel { y: 48; text: qsTr("CC Channel") }
    BatchChannel { id: channelList; objectName: "padCcChannel"; y: 48; Accessible.name: qsTr("%1 channel").arg(root.sectionName) }
    BatchLabel { y: 68; text: qsTr("Type") }
    CusButtonState {
        id: typeButton
        objectName: "padCcType"
        x: 150
        y: 68
        width: 96
        height: 14
        text1: qsTr("Moment")
        text2: qsTr("Toggle")
        Accessible.name: qsTr("%1 button behaviour").arg(root.sectionName)
    }
    BatchLabel { y: 88; text: qsTr("With Value") }
    BatchOrder { id: orderButton; objectName: "padCcOrder"; y: 88; height: 14; Accessible.name: qsTr("%1 order").arg(root.sectionName) }
}
