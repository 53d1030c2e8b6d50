import QtQuick 2.15
import QtQuick.Controls 2.15

// Thin line between groups of menu items.
MenuSeparator {
    leftPadding: 8
    rightPadding: 8
    topPadding: 4
    bottomPadding: 4
    contentItem: Rectangle {
        implicitWidth: 180
        implicitHeight: 1
        color: "#a8a8a8"
    }
}
