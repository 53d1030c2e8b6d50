import QtQuick 2.15
import "../BaseControl"
import "EditorRules.js" as Rules

// MIDI channel list of an auto-populate section ("1" ... "16").
CusCombox {
    x: 150
    width: 28
    height: 14
    model: Rules.channelTexts()
    readonly property int channel: currentIndex + 1
}
