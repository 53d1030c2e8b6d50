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

    // Escape closes the menu while the pointer still rests on its title; the
    // bar then still takes the menu for open, and the next click on the
    // title would only "close" it. Such a close is handed back to the bar as
    // a click of its own, which leaves it closed and ready to open. Should
    // the bar have taken the menu for closed after all, that click opens it,
    // and a second one closes it again.
    property bool closingByTitle: false
    property bool swallowClose: false
    onPressed: closingByTitle = menu !== null && menu.visible
    Connections {
        target: menuBarItem.menu
        function onClosed() {
            if (menuBarItem.swallowClose) {
                menuBarItem.swallowClose = false
                return
            }
            if (!menuBarItem.closingByTitle && menuBarItem.hovered && menuBarItem.highlighted) {
                menuBarItem.triggered()
                if (menuBarItem.menu.visible) {
                    menuBarItem.swallowClose = true
                    menuBarItem.triggered()
                }
            }
            menuBarItem.closingByTitle = false
        }
    }

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
