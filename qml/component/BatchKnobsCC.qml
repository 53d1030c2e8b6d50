import QtQuick 2.15
import "../BaseControl"

// Knobs: a run of controller numbers with a common range.
BackgroundRect {
    id: root
    property alias checkBox: checkBox
    property alias startField: startField
    property alias channelList: channelList
    property alias minField: minField
    property alias maxField: maxField
    property alias orderButton: orderButton
    // How screen readers call this section's controls.
    readonly property string sectionName: qsTr("Knob controllers")

    width: 296
    color: "#ffffff"
    border.width: 1
    border.color: "#c8c8c8"
    height: 128
    radius: 6

    BatchLabel { y: 8; font.bold: true; text: qsTr("Set CC") }
    CusCheckBox { id: checkBox; objectName: "knobCcCheck"; x: 150; y: 8; width: 12; height: 12; Accessible.name: qsTr("Fill %1").arg(root.sectionName) }
    BatchLabel { y: 28; text: qsTr("CC Range Starting at") }
    BatchField { id: startField; objectName: "knobCcStart"; y: 28; accessibleName: qsTr("%1 start").arg(root.sectionName) }
    BatchLabel { y: 48; text: qsTr("CC Channel") }
    BatchChannel { id: channelList; objectName: "knobCcChannel"; y: 48; Accessible.name: qsTr("%1 channel").arg(root.sectionName) }
    BatchLabel { y: 67; text: qsTr("Min") }
    BatchField { id: minField; objectName: "knobCcMin"; y: 67; accessibleName: qsTr("%1 minimum").arg(root.sectionName) }
    BatchLabel { y: 88; text: qsTr("Max") }
    BatchField { id: maxField; objectName: "knobCcMax"; y: 88; text: "127"; accessibleName: qsTr("%1 maximum").arg(root.sectionName) }
    BatchLabel { y: 108; text: qsTr("With CC") }
    BatchOrder { id: orderButton; objectName: "knobCcOrder"; y: 108; Accessible.name: qsTr("%1 order").arg(root.sectionName) }
}
