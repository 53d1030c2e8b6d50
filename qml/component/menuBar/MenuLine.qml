import QtQuick 2.15

// Thin line between groups of menu items.
Rectangle {
    implicitWidth: 180
    implicitHeight: 1
    color: "#a8a8a8"
}
