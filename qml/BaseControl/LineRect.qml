import QtQuick 2.15

// Light outline with a title sitting in a gap of the top edge.
Rectangle {
    id: root
    property string text: ""
    property int maskLength: 60

    width: 247
    height: 96
    color: "#f0f0f0"
    radius: CusConfig.radiuSize2
    border.width: 1
    border.color: CusConfig.colorTextDisable

    Rectangle {
        x: 13
        y: -5
        width: root.maskLength
        height: 15
        color: CusConfig.colorTitle
    }
    Text {
        x: 18
        y: -9
        text: root.text
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        font.family: CusConfig.fontFamily
        font.pixelSize: 18
        color: CusConfig.colorTitleText
    }
}
