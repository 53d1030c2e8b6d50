import QtQuick 2.15
import "../BaseControl"

// Pads: a run of program numbers.
BackgroundRect {
    id: root
    property alias checkBox: checkBox
    property alias startField: startField
    property alias channelList: channelList
    property alias orderButton: orderButton
    // How screen readers call this section's controls.
    readonly property string sectionName: qsTr("Pad programs")

    width: 296
    color: "#ffffff"
    border.width: 1
    border.color: "#c8c8c8"
    height: 93
    radius: 6

    BatchLabel { y: 9; font.bold: true; text: qsTr("Set PC") }
    CusCheckBox { id: checkBox; objectName: "padPcCheck"; x: 150; y: 8; width: 12; height: 12; Accessible.name: qsTr("Fill %1").arg(root.sectionName) }
    BatchLabel { y: 28; text: qsTr("PC Range Starting at") }
    BatchField { id: startField; objectName: "padPcStart"; y: 28; accessibleName: qsTr("%1 start").arg(root.sectionName) }
    BatchLabel { y: 48; text: qsTr("PC Channel") }
    BatchChannel { id: channelList; objectName: "padPcChannel"; y: 48; Accessible.name: qsTr("%1 channel").arg(root.sectionName) }
    BatchLabel { y: 68; text: qsTr("With Value") }
    BatchOrder { id: orderButton; objectName: "padPcOrder"; y: 68; Accessible.name: qsTr("%1 order").arg(root.sectionName) }
}
