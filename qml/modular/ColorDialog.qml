import QtQuick 2.15
import QtQuick.Controls 2.15
import "../BaseControl"

// Colour dialog frame; its content is added with the dialog itself.
Dialog {
    id: dialog
    property string currentColor: "#000000"
    property var colorRect: null
    property int keyIndex: -1

    modal: true
    width: 360
    height: 430
    leftPadding: 0
    topPadding: 0

    function show(index, rect, rectColor) {
        keyIndex = index
        colorRect = rect
        currentColor = rectColor
        if (parent) {
            x = (parent.width - width) / 2
            y = (parent.height - height) / 2
        }
        open()
    }

    background: Rectangle {
        color: CusConfig.colorInput
        border.width: 1
        radius: CusConfig.radiuSize2
    }
}
