import QtQuick 2.15
import "../BaseControl"

// Number field of an editor page. committed() is emitted when the user has
// typed into the field and then finishes editing (Enter or leaving the
// field), with the value after the field's range correction. Leaving a field
// without typing, and every text set by a reload, commits nothing.
CusInput {
    id: field
    property bool edited: false

    signal committed(int value)

    textInput.onTextEdited: edited = true
    onEditingFinished: {
        if (!edited)
            return
        edited = false
        committed(value)
    }
}
