.pragma library

// Conversions shared by the control editors between what the parameter store
// holds (one byte per field, read back sign-extended) and what the editors
// show. Nothing here writes to the store.

// The 16 MIDI channels as list texts "1" ... "16".
function channelTexts() {
    var list = []
    for (var ch = 1; ch <= 16; ++ch)
        list.push(String(ch))
    return list
}

// A stored byte as the unsigned number it stands for (0 ... 255).
function unsignedByte(value) {
    var v = Number(value)
    if (!isFinite(v))
        return 0
    return Math.round(v) & 0xff
}

// Text of a number field for a stored value; a value above the field's
// maximum shows as the maximum, the same rule the field applies to typing.
function fieldText(value, maximum) {
    var v = unsignedByte(value)
    return String(v > maximum ? maximum : v)
}

// List index of a stored channel 1 ... 16; -1 (nothing shown) for anything else.
function channelIndex(value) {
    var ch = Number(value)
    return (ch >= 1 && ch <= 16 && Math.floor(ch) === ch) ? ch - 1 : -1
}

// Index for a selector or list of `count` entries; -1 when the stored value
// names no entry.
function choiceIndex(value, count) {
    var v = Number(value)
    return (v >= 0 && v < count && Math.floor(v) === v) ? v : -1
}

// Integer value of a field's text (empty counts as 0).
function textValue(text) {
    var v = parseInt(text, 10)
    return isNaN(v) ? 0 : v
}

// True if a getter's map carries the given key (an index outside the store's
// range gives an empty map).
function has(info, key) {
    return info !== null && info !== undefined && info[key] !== undefined
}
