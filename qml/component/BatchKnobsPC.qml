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

    width: 296
    height: 128
    radius: 1

    BatchLabel { y: 9; text: qsTr("Set PC") }
    CusCheckBox { id: checkBox; objectName: "knobPcCheck"; x: 150; y: 9; width: 12; height: 12 }
    BatchLabel { y: 28; text: qsTr("PC Range Staring at") }
    BatchField { id: startField; objectName: "knobPcStart"; y: 28 }
    BatchLabel { y: 48; text: qsTr("PC Channel") }
    BatchChannel { id: channelList; objectName: "knobPcChannel"; y: 48 }
    BatchLabel { y: 68; text: qsTr("Min") }
    BatchField { id: minField; objectName: "knobPcMin"; y: 68 }
    BatchLabel { y: 88; text: qsTr("Max") }
    BatchField { id: maxField; objectName: "knobPcMax"; y: 88; text: "127" }
    BatchLabel { y: 108; text: qsTr("With PC") }
    BatchOrder { id: orderButton; objectName: "knobPcOrder"; y: 108; height: 14 }
}
