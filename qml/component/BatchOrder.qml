import QtQuick 2.15
import "../BaseControl"

// Ascending / descending order of an auto-populate section.
CusButtonState {
    x: 150
    width: 96
    height: 16
    text1: qsTr("ASC")
    text2: qsTr("DES")
    tip: qsTr("ASC: numbers rise from pad to pad. DES: they fall.")
}
