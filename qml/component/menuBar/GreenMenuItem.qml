import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../BaseControl"

// One item of a drop-down menu.
// Menus are pop-ups outside the scaled window tree, so an item takes the
// scaling rate its menu read when it opened (1 for a menu that keeps none).
MenuItem {
    id: menuItem
    readonly property real rate: (menu && menu.rate > 0) ? menu.rate : 1.0
    // The key sequence of the item's action, as the platform writes it
    // ("Ctrl+O"), unless the item's text already names it.
    readonly property string shortcutText: {
        var t = keys.nativeText
        return (t === "" || menuItem.text.indexOf(t) >= 0) ? "" : t
    }
    Shortcut {
        id: keys
        enabled: false
        sequence: (menuItem.action && menuItem.action.shortcut !== undefined) ? menuItem.action.shortcut : ""
    }

    implicitWidth: Math.max(30 * rate, contentItem.implicitWidth + leftPadding + rightPadding
                                       + (shortcutText !== "" ? shortcutLabel.implicitWidth + 24 * rate : 0))
    implicitHeight: 35 * rate
    leftPadding: 14 * rate
    rightPadding: 14 * rate
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2 * rate

    contentItem: Text {
        text: menuItem.text
        font: menuItem.font
        opacity: enabled ? 1.0 : 0.3
        color: menuItem.highlighted ? "#ffffff" : "#383A3E"
        horizontalAlignment: Text.AlignLeft
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    Text {
        id: shortcutLabel
        x: menuItem.width - menuItem.rightPadding - width
        anchors.verticalCenter: parent.verticalCenter
        visible: menuItem.shortcutText !== ""
        text: menuItem.shortcutText
        font: menuItem.font
        opacity: menuItem.enabled ? 1.0 : 0.3
        color: menuItem.highlighted ? "#ffffff" : "#5c5c5c"
    }
    // A tick before a checked item (the language in use).
    indicator: Text {
        x: 3 * menuItem.rate
        anchors.verticalCenter: parent.verticalCenter
        visible: menuItem.checkable && menuItem.checked
        text: "\u2713"
        font: menuItem.font
        color: menuItem.highlighted ? "#ffffff" : CusConfig.colorElement
    }
    arrow: Text {
        x: menuItem.width - width - 6 * menuItem.rate
        anchors.verticalCenter: parent.verticalCenter
        visible: menuItem.subMenu !== null
        text: "\u25B8"
        font: menuItem.font
        color: menuItem.highlighted ? "#ffffff" : "#383A3E"
    }
    background: Rectangle {
        implicitWidth: 30 * menuItem.rate
        implicitHeight: 35 * menuItem.rate
        opacity: enabled ? 1 : 0.3
        color: menuItem.highlighted ? "#5e17cc" : "transparent"
    }
}
