import QtQuick 2.15
import "../BaseControl"

// The six transport buttons. Frame only: the transport editors go here.
Item {
    width: 500
    height: 152

    Row {
        spacing: 6
        Repeater {
            model: 6
            Column {
                spacing: 8
                Item {
                    width: 76
                    height: icon.height
                    CusImage {
                        id: icon
                        x: 10
                        source: "qrc:/img/icon_0" + (index + 1) + "@2x.png"
                    }
                }
                Rectangle {
                    width: 76
                    height: 96
                    color: "#3d3d3d"
                    radius: 10
                }
            }
        }
    }
}
