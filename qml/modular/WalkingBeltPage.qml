import QtQuick 2.15
import "../BaseControl"
import "../component"

// The six transport buttons from the left: loop, rewind, fast forward, stop,
// play/pause, record (transport index 0 ... 5).
Item {
    id: root
    width: 500
    height: 152

    function editorAt(i) {
        var column = columns.itemAt(i)
        return column ? column.editor : null
    }

    Row {
        spacing: 6
        Repeater {
            id: columns
            model: 6
            Column {
                property alias editor: editor
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
                WalkingBelt {
                    id: editor
                    index: model.index
                }
            }
        }
    }
}
