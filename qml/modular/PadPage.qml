import QtQuick 2.15
import "../BaseControl"
import "../component"

// Pads of one bank (0 = BANK A, 1 = BANK B) in a 4 x 2 grid laid out like the
// hardware: the top row holds pads 5 to 8, the bottom row pads 1 to 4.
Item {
    id: root
    property int bank: 0
    // The colour dialog the pads open; the window's one when left empty.
    property var colorDialog: null

    // One of the pads shows another colour.
    signal padColorChanged()

    width: 484
    height: 282

    // Store index of grid position i (0 ... 7, row by row).
    function storeIndex(i) {
        return (i < 4 ? i + 4 : i - 4) + 8 * bank
    }
    function padAt(i) {
        return pads.itemAt(i)
    }

    NoteDataModel { id: noteNames }

    Repeater {
        id: pads
        model: 8
        PadKey {
            x: (index % 4) * (118 + 4)
            y: Math.floor(index / 4) * (118 + 17)
            keyIndex: root.storeIndex(index)
            number: keyIndex % 8 + 1
            noteModel: noteNames
            colorDialog: root.colorDialog
            onSwatchColorChanged: root.padColorChanged()
        }
    }
}
