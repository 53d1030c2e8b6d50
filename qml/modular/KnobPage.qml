import QtQuick 2.15
import "../BaseControl"

// Knobs of one bank (0 = BANK A, 1 = BANK B): a 4 x 2 grid, top row knobs 5-8.
// Frame only: the knob editors are placed here by the knob editor page.
Item {
    id: root
    property int bank: 0

    width: 440
    height: 282

    Grid {
        columns: 4
        columnSpacing: 4
        rowSpacing: 14
        Repeater {
            model: 8
            Rectangle {
                width: 108
                height: 124
                color: "#333333"
                radius: 1
                Text {
                    x: 3
                    y: 4
                    text: "K" + (index < 4 ? index + 5 : index - 3)
                    color: "#ff7900"
                    font.family: CusConfig.fontFamily
                    font.pixelSize: 10
                }
                CusImage {
                    x: 26
                    y: 6
                    source: "qrc:/img/pic_tool@2x.png"
                }
            }
        }
    }
}
