import QtQuick 2.15
import "../BaseControl"

// Pads: notes of a scale.
BackgroundRect {
    id: root
    property alias checkBox: checkBox
    property alias scaleList: scaleList
    property alias orderButton: orderButton
    property alias startField: startField
    property alias channelList: channelList

    width: 296
    height: 112
    radius: 10

    BatchLabel { y: 8; text: qsTr("Set NOTE") }
    CusCheckBox { id: checkBox; objectName: "noteCheck"; x: 150; y: 8; width: 12; height: 12 }
    BatchLabel { y: 28; text: qsTr("SCALE") }
    CusCombox {
        id: scaleList
        objectName: "scaleList"
        x: 150
        y: 28
        width: 106
        height: 14
        model: ["Chormatic", "Major", "Minor", "HarmonicMinor", "MelodicMinor",
                "Dorian", "Phrygian", "Lydian", "Mixolydian", "Locrian"]
    }
    BatchOrder { id: orderButton; objectName: "noteOrder"; y: 48 }
    BatchLabel { y: 68; text: qsTr("Starting at") }
    BatchField { id: startField; objectName: "noteStart"; y: 68 }
    BatchLabel { y: 88; text: qsTr("NOTE CC Channel") }
    BatchChannel { id: channelList; objectName: "noteChannel"; y: 88 }
}
