import QtQuick 2.15

// Panel of the "Auto Populate" and "Help" menus.
Rectangle {
    implicitWidth: 200
    implicitHeight: 35
    color: "#F0F0F0"
    border.width: 1
    border.color: "#a8a8a8"
}
