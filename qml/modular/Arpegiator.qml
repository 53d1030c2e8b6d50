import QtQuick 2.15
import "../BaseControl"

// Arpeggiator settings. Frame only: the fields go here.
Item {
    width: 230
    height: 72
    LineRectText {
        anchors.fill: parent
        text: "ARPEGIATOR"
    }
}
