import QtQuick 2.15
import "../BaseControl"

// Global performance settings. Frame only: the fields go here.
Item {
    width: 297
    height: 72
    LineRectText {
        anchors.fill: parent
        text: "FUNCTION"
    }
}
