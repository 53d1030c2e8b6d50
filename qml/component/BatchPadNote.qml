import QtQuick 2.15
import "../BaseControl"

// Pads: notes of a scale.
BackgroundRect {
    id: root
    property alias checkBox: checkBox
    property alias scaleList: scaleList
    property alias orderButton: orderButton
    // How screen readers call this section's controls.
    readonly property string sectionName: qsTr("Pad notes")
    // The chosen scale under the name the parameter store knows it by.
    readonly property string scaleName: scaleList.currentIndex >= 0 && scaleList.currentIndex < scales.count
                                        ? scales.get(scaleList.currentIndex).value : ""
    property alias startField: startField
    property alias channelList: channelList

    width: 296
    color: "#ffffff"
    border.width: 1
    border.color: "#c8c8c8"
    height: 112
    radius: 6

    BatchLabel { y: 8; font.bold: true; text: qsTr("Set NOTE") }
    CusCheckBox { id: checkBox; objectName: "noteCheck"; x: 150; y: 8; width: 12; height: 12; Accessible.name: qsTr("Fill %1").arg(root.sectionName) }
    BatchLabel { y: 28; text: qsTr("SCALE") }
    CusCombox {
        id: scaleList
        objectName: "scaleList"
        Accessible.name: qsTr("%1 scale").arg(root.sectionName)
        x: 150
        y: 28
        width: 106
        height: 14
        soleValue: false
        arrowShown: true
        model: scales
    }
    BatchOrder { id: orderButton; objectName: "noteOrder"; y: 48; Accessible.name: qsTr("%1 order").arg(root.sectionName) }
    BatchLabel { y: 68; text: qsTr("Starting at") }
    BatchField { id: startField; objectName: "noteStart"; y: 68; accessibleName: qsTr("%1 start").arg(root.sectionName) }
    BatchLabel { y: 88; text: qsTr("NOTE Channel") }
    BatchChannel { id: channelList; objectName: "noteChannel"; y: 88; Accessible.name: qsTr("%1 channel").arg(root.sectionName) }

    // key: the name shown (translated by the list); value: the store's name
    // of the scale, which keeps its historical spelling.
    ListModel {
        id: scales
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "Chromatic"); value: "Chormatic" }
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "Major"); value: "Major" }
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "Minor"); value: "Minor" }
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "HarmonicMinor"); value: "HarmonicMinor" }
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "MelodicMinor"); value: "MelodicMinor" }
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "Dorian"); value: "Dorian" }
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "Phrygian"); value: "Phrygian" }
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "Lydian"); value: "Lydian" }
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "Mixolydian"); value: "Mixolydian" }
        ListElement { key: QT_TRANSLATE_NOOP("CusCombox", "Locrian"); value: "Locrian" }
    }
}
