import QtQuick 2.15

// Dark outline with a small title centred on its top edge.
Rectangle {
    id: root
    property string text: ""

    color: "transparent"
    radius: CusConfig.radiuSize2
    border.width: 1
    border.color: CusConfig.colorLine

    Rectangle {
        anchors.horizontalCenter: parent.horizontalCenter
        y: -5
        width: title.width + 6
        height: 10
        color: CusConfig.colorMainBg
    }
    Text {
        id: title
        anchors.horizontalCenter: parent.horizontalCenter
        y: -5
        height: 10
        verticalAlignment: Text.AlignVCenter
        text: root.text
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel2
        color: CusConfig.colortext
    }
}
