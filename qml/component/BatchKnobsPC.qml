import QtQuick 2.15
import "../BaseControl"

// Knobs: a run of program numbers with a common range.
BackgroundRect {
    id: root
    property alias checkBox: checkBox
    property alias startField: startField
    property alias channelList: channelList
    property alias minField: minField
    property alias maxField: maxField
    property alias orderButton: orderButton
    // How screen readers call this section's controls.
    readonly property string sectionName: qsTr("Knob programs")

    width: 296
    color: "#ffffff"
    border.width: 1
    border.color: "#c8c8c8"
    height: 128
    radius: 6

    BatchLabel { y: 9; font.bold: true; text: qsTr("Set PC") }
    CusCheckBox { id: checkBox; objectName: "knobPcCheck"; x: 150; y: 9; width: 12; height: 12; Accessible.name: qsTr("Fill %1").arg(root.sectionName) }
    BatchLabel { y: 28; text: qsTr("PC Range Starting at") }
    BatchField { id: startField; objectName: "knobPcStart"; y: 28; accessibleName: qsTr("%1 start").arg(root.sectionName) }
    BatchLabel { y: 48; text: qsTr("PC Channel") }
    BatchChannel { id: channelList; objectName: "knobPcChannel"; y: 48; Accessible.name: qsTr("%1 channel").arg(root.sectionName) }
    BatchLabel { y: 68; text: qsTr("Min") }
    BatchField { id: minField; objectName: "knobPcMin"; y: 68; accessibleName: qsTr("%1 minimum").arg(root.sectionName) }
    BatchLabel { y: 88; text: qsTr("Max") }
    BatchField { id: maxField; objectName: "knobPcMax"; y: 88; text: "127"; accessibleName: qsTr("%1 maximum").arg(root.sectionName) }
    BatchLabel { y: 108; text: qsTr("With PC") }
    BatchOrder { id: orderButton; objectName: "knobPcOrder"; y: 108; height: 14; Accessible.name: qsTr("%1 order").arg(root.sectionName) }
}
