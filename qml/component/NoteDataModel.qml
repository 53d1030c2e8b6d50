import QtQuick 2.15

// The 128 MIDI note names, "C-1" (0) to "G9" (127), sharps only.
// Roles: key (the name) and value (the note number).
ListModel {
    id: model

    function noteName(n) {
        if (typeof n !== "number" || !isFinite(n) || Math.floor(n) !== n || n < 0 || n > 127)
            return ""
        var names = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]
        return names[n % 12] + (Math.floor(n / 12) - 1)
    }

    Component.onCompleted: {
        for (var n = 0; n < 128; ++n)
            append({ key: noteName(n), value: n })
    }
}
