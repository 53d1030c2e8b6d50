import QtQuick 2.15
import "../../BaseControl"

// Background of the menu bar.
Rectangle {
    implicitWidth: 40
    implicitHeight: 24
    color: CusConfig.colorMenbar
}
