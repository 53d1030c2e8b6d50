import QtQuick 2.15
import "../BaseControl"

// Row label of an auto-populate section: right-aligned in the left half,
// clear of the controls, which start at x 150.
Text {
    Accessible.role: Accessible.StaticText
    Accessible.name: text
    x: 0
    width: 142
    height: 14
    horizontalAlignment: Text.AlignRight
    verticalAlignment: Text.AlignVCenter
    color: "#333333"
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2
}
