import QtQuick 2.15
import "../BaseControl"

// Pitch and modulation wheels. Frame only: the wheel editors go here.
Item {
    width: 96
    height: 445

    LineRectText {
        width: 96
        height: 445
        text: "BARS"
    }
    CusImage {
        x: 8
        y: 16
        source: "qrc:/img/BARS@2x.png"
    }
    RectBlock {
        x: 8
        y: 180
        width: 80
        height: 126
        Text {
            x: 6
            y: 4
            text: "PITCH"
            color: CusConfig.colorTextYellow
            font.family: CusConfig.fontFamily
            font.pixelSize: 8
        }
    }
    RectBlock {
        x: 8
        y: 314
        width: 80
        height: 124
        Text {
            x: 6
            y: 4
            text: "MODULATION"
            color: CusConfig.colorTextYellow
            font.family: CusConfig.fontFamily
            font.pixelSize: 8
        }
    }
}
