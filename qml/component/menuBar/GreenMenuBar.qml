import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../BaseControl"

// One entry of the menu bar.
MenuBarItem {
    id: menuBarItem
    width: 100
    height: 24
    padding: 0
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2

    contentItem: Text {
        text: menuBarItem.text
        font: menuBarItem.font
        opacity: enabled ? 1.0 : 0.3
        color: menuBarItem.highlighted ? CusConfig.colortext : CusConfig.colorTitleText
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        implicitWidth: 100
        implicitHeight: 24
        opacity: enabled ? 1 : 0.3
        color: menuBarItem.highlighted ? CusConfig.colorElement : "transparent"
    }
}
