import QtQuick 2.15
import "../BaseControl"
import "../component"

// Knobs of one bank (0 = BANK A, 1 = BANK B) in a 4 x 2 grid laid out like the
// hardware: the top row holds knobs 5 to 8, the bottom row knobs 1 to 4.
Item {
    id: root
    property int bank: 0

    width: 440
    height: 282

    function storeIndex(i) {
        return (i < 4 ? i + 4 : i - 4) + 8 * bank
    }
    function knobAt(i) {
        return knobs.itemAt(i)
    }

    Repeater {
        id: knobs
        model: 8
        Knob {
            x: (index % 4) * (108 + 4)
            y: Math.floor(index / 4) * (124 + 14)
            keyIndex: root.storeIndex(index)
            number: keyIndex % 8 + 1
        }
    }
}
