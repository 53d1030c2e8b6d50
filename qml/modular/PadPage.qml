import QtQuick 2.15
import "../BaseControl"

// Pads of one bank (0 = BANK A, 1 = BANK B): a 4 x 2 grid, top row pads 5-8.
// Frame only: the pad editors are placed here by the pad editor page.
Item {
    id: root
    property int bank: 0

    width: 484
    height: 282

    Grid {
        columns: 4
        columnSpacing: 4
        rowSpacing: 17
        Repeater {
            model: 8
            Rectangle {
                width: 118
                height: 118
                color: "#a6a6a6"
                radius: 10
                border.width: 3
                border.color: "#282a2b"
                Rectangle {
                    x: 6
                    y: 6
                    width: 106
                    height: 106
                    color: "#333333"
                    radius: 5
                }
                Text {
                    x: 7
                    y: 6
                    text: "PAD" + (index < 4 ? index + 5 : index - 3)
                    color: "#ff7900"
                    font.family: CusConfig.fontFamily
                    font.pixelSize: 10
                }
            }
        }
    }
}
