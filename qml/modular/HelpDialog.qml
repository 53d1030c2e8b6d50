import QtQuick 2.15
import QtQuick.Controls 2.15
import "../BaseControl"

// Dialog frame; its content is added with the dialog itself.
Dialog {
    id: dialog
    modal: true
    width: 358
    height: 216
    leftPadding: 0
    topPadding: 0
    // Link area of the About dialog: "englishHelp" or "chineseHelp".
    property string linkState: "englishHelp"
    function show() {
        if (parent) {
            x = (parent.width - width) / 2
            y = (parent.height - height) / 2
        }
        open()
    }

    background: Rectangle {
        color: "#f0f0f0"
        border.width: 1
        radius: CusConfig.radiuSize2
    }
}
