import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.2

// The editor pages over the real parameter store: what they show after a
// reload, what they write while the user edits, and that reloads write
// nothing but a changed selector. The pages live in a window of their own
// that receives the test's mouse and key events.
Item {
Window {
    id: host
    width: 1200
    height: 700
    visible: true

TestCase {
    id: tc
    name: "EditorPages"
    when: windowShown

    function create(path, props) {
        var c = Qt.createComponent("qrc:/qml/" + path)
        if (c.status !== Component.Ready)
            fail(path + ": " + c.errorString())
        var obj = createTemporaryObject(c, host.contentItem, props || {})
        verify(obj !== null, path)
        return obj
    }

    // Types into a number field and finishes editing with Enter (or leaves
    // the edit unfinished).
    function typeInto(field, text, finish) {
        field.textInput.forceActiveFocus()
        field.textInput.selectAll()
        if (text === "")
            keyClick(Qt.Key_Delete)
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
        if (finish !== false)
            keyClick(Qt.Key_Return)
    }

    function init() {
        host.requestActivate()
        tryCompare(host, "active", true)
        DataMgt.initDefaultData()
        DataMgt.clearCalls()
    }

    function test_grid_positions_and_captions() {
        var padsA = create("modular/PadPage.qml", { bank: 0 })
        var padsB = create("modular/PadPage.qml", { bank: 1 })
        var knobsA = create("modular/KnobPage.qml", { bank: 0 })
        var knobsB = create("modular/KnobPage.qml", { bank: 1 })
        var expected = [4, 5, 6, 7, 0, 1, 2, 3]
        for (var i = 0; i < 8; ++i) {
            compare(padsA.padAt(i).keyIndex, expected[i])
            compare(padsB.padAt(i).keyIndex, expected[i] + 8)
            compare(knobsA.knobAt(i).keyIndex, expected[i])
            compare(knobsB.knobAt(i).keyIndex, expected[i] + 8)
            compare(padsB.padAt(i).caption.text, "PAD" + (expected[i] + 1))
            compare(knobsB.knobAt(i).caption.text, "K" + (expected[i] + 1))
        }
        // Top-left pad of BANK B, bottom-right knob of BANK A.
        compare(padsB.padAt(0).keyIndex, 12)
        compare(padsB.padAt(0).caption.text, "PAD5")
        compare(knobsA.knobAt(7).keyIndex, 3)
        compare(knobsA.knobAt(7).caption.text, "K4")
        // Row by row, top row first, as on the hardware.
        verify(padsA.padAt(0).y < padsA.padAt(4).y)
        compare(padsA.padAt(4).x, padsA.padAt(0).x)
        compare(padsA.padAt(1).x - padsA.padAt(0).x, 122)
        compare(padsA.padAt(4).y - padsA.padAt(0).y, 135)
        compare(knobsA.knobAt(4).y - knobsA.knobAt(0).y, 138)
        // Creating the pages wrote nothing.
        compare(DataMgt.calls, [])
    }

    function test_pad_writes_what_the_user_edits() {
        var page = create("modular/PadPage.qml", { bank: 1 })
        var pad = page.padAt(5)            // pad 2 of BANK B: store index 9
        compare(pad.keyIndex, 9)
        mouseClick(pad.typeBar.itemAt(1))  // CC
        compare(DataMgt.calls, ["setPadInfo 9 padtype 1"])
        verify(!pad.noteList.enabled)
        verify(pad.modeButton.enabled)
        typeInto(pad.numberField, "300")
        compare(pad.numberField.text, "127")
        mouseClick(pad.modeButton)
        verify(pad.modeButton.checked)
        compare(pad.modeButton.text, "Toggle")
        pad.channelList.activated(9)
        compare(DataMgt.calls, ["setPadInfo 9 padtype 1", "setPadInfo 9 padData 127",
                                "setPadInfo 9 padMode 1", "setPadInfo 9 padCh 10"])
        var info = DataMgt.getPadInfo(9)
        compare(info.padtype, 1)
        compare(info.padData, 127)
        compare(info.padMode, 1)
        compare(info.padCh, 10)
        // PC: neither the note list nor the mode button.
        mouseClick(pad.typeBar.itemAt(2))
        verify(!pad.noteList.enabled)
        verify(!pad.modeButton.enabled)
    }

    function test_note_mode_follows_keystrokes() {
        var page = create("modular/PadPage.qml", { bank: 0 })
        var pad = page.padAt(4)            // pad 1, store index 0
        mouseClick(pad.typeBar.itemAt(0))
        compare(pad.typeBar.currentIndex, 0)
        verify(pad.noteList.enabled)
        verify(!pad.modeButton.enabled)
        DataMgt.clearCalls()
        typeInto(pad.numberField, "60", false)
        // Shown at once, stored only when editing finishes.
        compare(pad.noteList.currentIndex, 60)
        compare(pad.noteList.displayText, "C4")
        compare(DataMgt.calls, [])
        keyClick(Qt.Key_Return)
        compare(DataMgt.calls, ["setPadInfo 0 padData 60"])
        compare(DataMgt.getPadInfo(0).padData, 60)
        // Picking a note writes its number and shows it in the field.
        pad.noteList.activated(61)
        compare(pad.numberField.text, "61")
        compare(DataMgt.getPadInfo(0).padData, 61)
        // In CC mode the two are independent.
        mouseClick(pad.typeBar.itemAt(1))
        typeInto(pad.numberField, "7", false)
        compare(pad.noteList.currentIndex, 61)
        keyClick(Qt.Key_Return)
        // Back in NOTE mode the list shows the stored number; nothing is
        // rewritten.
        DataMgt.clearCalls()
        mouseClick(pad.typeBar.itemAt(0))
        compare(pad.numberField.text, "7")
        compare(pad.noteList.currentIndex, 7)
        compare(pad.noteList.displayText, "G-1")
        compare(DataMgt.calls, ["setPadInfo 0 padtype 0"])
        compare(DataMgt.getPadInfo(0).padData, 7)
    }

    function test_rightmost_note_lists_open_to_the_left() {
        // Placed where a centred grid fits into the window.
        var page = create("modular/PadPage.qml", { bank: 0, x: 300, y: 100 })
        for (var i = 0; i < 8; ++i) {
            var list = page.padAt(i).noteList
            list.popup.open()
            if (i % 4 === 3)
                compare(list.popup.x, -200)
            else
                compare(list.popup.x, (list.width - list.popup.width) / 2)
            list.popup.close()
        }
    }

    function test_knob_fields_clamp_and_store() {
        var page = create("modular/KnobPage.qml", { bank: 0 })
        var knob = page.knobAt(7)          // K4, store index 3
        typeInto(knob.maxField, "200")
        compare(knob.maxField.text, "127")
        compare(DataMgt.getKnobInfo(3).knboMax, 127)
        typeInto(knob.maxField, "")
        compare(knob.maxField.text, "0")
        compare(DataMgt.getKnobInfo(3).knboMax, 0)
        typeInto(knob.minField, "12")
        compare(DataMgt.getKnobInfo(3).knboMin, 12)
        // A fourth digit is refused.
        typeInto(knob.numberField, "1234")
        compare(knob.numberField.text, "123")
        compare(DataMgt.getKnobInfo(3).knboData, 123)
        // PC and TOUCH disable the number field only.
        mouseClick(knob.typeBar.itemAt(1))
        verify(!knob.numberField.enabled)
        verify(knob.minField.enabled && knob.maxField.enabled && knob.channelList.enabled)
        mouseClick(knob.typeBar.itemAt(2))
        verify(!knob.numberField.enabled)
        mouseClick(knob.typeBar.itemAt(0))
        verify(knob.numberField.enabled)
        compare(DataMgt.calls, ["setKnobInfo 3 knboMax 127", "setKnobInfo 3 knboMax 0",
                                "setKnobInfo 3 knboMin 12", "setKnobInfo 3 knboData 123",
                                "setKnobInfo 3 knboType 1", "setKnobInfo 3 knboType 2",
                                "setKnobInfo 3 knboType 0"])
    }

    function test_tempo_limits() {
        var arp = create("modular/Arpegiator.qml")
        typeInto(arp.tempoField, "10")
        compare(arp.tempoField.text, "30")
        var info = DataMgt.getARPInfo()
        compare(info.tempo1 + info.tempo2 + 30, 30)
        typeInto(arp.tempoField, "999")
        compare(arp.tempoField.text, "280")
        info = DataMgt.getARPInfo()
        compare(info.tempo1 + info.tempo2 + 30, 280)
        typeInto(arp.tempoField, "")
        compare(arp.tempoField.text, "30")
        compare(DataMgt.calls, ["setARPInfo tempo 30", "setARPInfo tempo 280", "setARPInfo tempo 30"])
        // A reloaded tempo above 157 spans both stored parts.
        DataMgt.setARPInfo("tempo", 200)
        DataMgt.s_updateDate()
        compare(arp.tempoField.text, "200")
    }

    function test_modulation_type() {
        var bars = create("modular/BarsPage.qml")
        compare(bars.modTypeBar.currentIndex, 0)
        typeInto(bars.modValueField, "42")
        DataMgt.clearCalls()
        mouseClick(bars.modTypeBar.itemAt(1))     // MOD
        compare(bars.modValueField.text, "1")
        verify(!bars.modValueField.enabled)
        compare(DataMgt.calls, ["setModInfo modType 1", "setModInfo modValue 1"])
        compare(DataMgt.getModInfo().modType, 1)
        compare(DataMgt.getModInfo().modValue, 1)
        DataMgt.clearCalls()
        mouseClick(bars.modTypeBar.itemAt(0))     // back to CC
        compare(bars.modValueField.text, "42")
        verify(bars.modValueField.enabled)
        compare(DataMgt.calls, ["setModInfo modType 0", "setModInfo modValue 42"])
        compare(DataMgt.getModInfo().modValue, 42)
    }

    function test_modulation_type_follows_a_reload_without_writing() {
        var bars = create("modular/BarsPage.qml")
        // 204 modType, 205 modValue
        DataMgt.receiveBytes({ "204": 1, "205": 64 })
        compare(bars.modTypeBar.currentIndex, 1)
        compare(bars.modValueField.text, "64")
        verify(!bars.modValueField.enabled)
        DataMgt.receiveBytes({ "204": 0, "205": 9 })
        compare(bars.modTypeBar.currentIndex, 0)
        compare(bars.modValueField.text, "9")
        verify(bars.modValueField.enabled)
        compare(DataMgt.calls, [])
        compare(DataMgt.getModInfo().modValue, 9)
    }

    function test_pitch_switch_writes_on_every_change() {
        var bars = create("modular/BarsPage.qml")
        var was = bars.selfReturn.checked
        DataMgt.receiveBytes({ "201": was ? 0 : 1 })
        compare(bars.selfReturn.checked, !was)
        compare(DataMgt.calls, ["setPitchInfo selfReturn " + (was ? 0 : 1)])
        DataMgt.clearCalls()
        mouseClick(bars.selfReturn)
        compare(DataMgt.calls, ["setPitchInfo selfReturn " + (was ? 1 : 0)])
        typeInto(bars.returnTimeField, "50")
        bars.pitchChannelList.activated(15)
        compare(DataMgt.getPitchInfo().returnTime, 50)
        compare(DataMgt.getPitchInfo().pitchCh, 16)
    }

    function test_transport_modes() {
        var page = create("modular/WalkingBeltPage.qml")
        var wb = page.editorAt(4)
        compare(wb.index, 4)
        mouseClick(wb.typeBar.itemAt(1))          // MC
        verify(!wb.numberField.enabled)
        verify(!wb.modeButton.enabled)
        verify(!wb.channelList.enabled)
        mouseClick(wb.typeBar.itemAt(0))          // CC
        verify(wb.numberField.enabled && wb.modeButton.enabled && wb.channelList.enabled)
        typeInto(wb.numberField, "77")
        mouseClick(wb.modeButton)
        wb.channelList.activated(2)
        compare(DataMgt.calls, ["setWalkingBeltInfo 4 wbtype 1", "setWalkingBeltInfo 4 wbtype 0",
                                "setWalkingBeltInfo 4 wbData 77", "setWalkingBeltInfo 4 wbMode 1",
                                "setWalkingBeltInfo 4 wbCh 3"])
        // The pictures, from the left.
        for (var i = 0; i < 6; ++i)
            verify(page.editorAt(i).x === 0 && page.editorAt(i).index === i)
    }

    function test_lists_write_only_when_picked() {
        var arp = create("modular/Arpegiator.qml")
        var fn = create("modular/Function.qml")
        arp.modeList.activated(5)
        arp.timeList.activated(7)
        arp.swingList.activated(1)
        mouseClick(arp.latchSwitch)
        fn.rangeList.activated(2)
        fn.keyCurveList.activated(1)
        fn.padCurveList.activated(2)
        fn.sustainList.activated(1)
        typeInto(fn.fullVelField, "100")
        compare(DataMgt.calls, ["setARPInfo mode 5", "setARPInfo time 7", "setARPInfo swing 1",
                                "setARPInfo latch " + (arp.latchSwitch.checked ? 1 : 0),
                                "setFuncInfo strengthRange 2", "setFuncInfo keyCurve 1",
                                "setFuncInfo padCurve 2", "setFuncInfo sustain 1",
                                "setFuncInfo fullForceValue 100"])
        DataMgt.clearCalls()
        // A received configuration is shown and nothing is written back.
        DataMgt.receiveBytes({ "235": 3, "236": 1, "237": 4, "238": 5,
                               "239": 1, "240": 2, "241": 0, "242": 1, "243": 99 })
        compare(arp.modeList.currentIndex, 3)
        verify(arp.latchSwitch.checked)
        compare(arp.timeList.currentIndex, 4)
        compare(arp.swingList.currentIndex, 5)
        compare(fn.rangeList.currentIndex, 1)
        compare(fn.keyCurveList.currentIndex, 2)
        compare(fn.padCurveList.currentIndex, 0)
        compare(fn.sustainList.currentIndex, 1)
        compare(fn.fullVelField.text, "99")
        compare(DataMgt.calls, [])
    }

    function test_reloads_write_only_changed_selectors() {
        var pads = create("modular/PadPage.qml", { bank: 0 })
        var knobs = create("modular/KnobPage.qml", { bank: 1 })
        var bars = create("modular/BarsPage.qml")
        var belt = create("modular/WalkingBeltPage.qml")
        create("modular/Arpegiator.qml")
        create("modular/Function.qml")
        DataMgt.s_updateDate()
        compare(DataMgt.calls, [])
        // Pad 0 (offset 9) to PC, knob 8 (offset 161) to TOUCH, transport 2
        // (offset 217) to MC: exactly those selectors write their new index.
        var padType = DataMgt.getPadInfo(0).padtype === 2 ? 1 : 2
        DataMgt.receiveBytes({ "9": padType, "10": 36, "161": 2, "217": 1 })
        compare(DataMgt.calls, ["setPadInfo 0 padtype " + padType,
                                "setKnobInfo 8 knboType 2",
                                "setWalkingBeltInfo 2 wbtype 1"])
        compare(pads.padAt(4).numberField.text, "36")
        compare(knobs.knobAt(4).typeBar.currentIndex, 2)
        compare(belt.editorAt(2).typeBar.currentIndex, 1)
    }

    function test_bad_stored_values_show_safely() {
        var pads = create("modular/PadPage.qml", { bank: 0 })
        var knobs = create("modular/KnobPage.qml", { bank: 0 })
        // Type 9, data 200, channel 0 on pad 0; knob 4 channel 40.
        var typeBefore = pads.padAt(4).typeBar.currentIndex
        DataMgt.receiveBytes({ "9": 9, "10": 200, "11": 0, "125": 40 })
        compare(pads.padAt(4).typeBar.currentIndex, typeBefore)
        compare(pads.padAt(4).numberField.text, "127")
        compare(pads.padAt(4).channelList.currentIndex, -1)
        compare(knobs.knobAt(4).channelList.currentIndex, -1)
        // Nothing was written back: the odd bytes are kept as they came.
        compare(DataMgt.calls, [])
        compare(DataMgt.byteAt(9), 9)
        compare(DataMgt.byteAt(10), 200)
    }
}
}
}
