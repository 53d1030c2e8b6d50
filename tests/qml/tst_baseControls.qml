import QtQuick 2.15
import QtTest 1.2
import "qrc:/qml/BaseControl"

Item {
    id: root
    width: 900
    height: 600

    CusInput {
        id: input
        x: 10
        y: 10
        maxRange: 255
    }
    CusCombox {
        id: combo
        x: 10
        y: 40
        model: ["1", "2", "3"]
    }
    CusComboxGrid {
        id: grid
        x: 350
        y: 60
        width: 56
        height: 14
        soleValue: false
        model: ListModel {
            Component.onCompleted: {
                var names = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]
                for (var n = 0; n < 128; ++n)
                    append({ key: names[n % 12] + (Math.floor(n / 12) - 1), value: n })
            }
        }
    }
    CusTabBar {
        id: twoTabs
        x: 10
        y: 80
        text3: ""
    }
    CusTabBar {
        id: threeTabs
        x: 10
        y: 100
    }
    CusButton {
        id: button
        x: 500
        y: 10
        text: "OK"
    }
    CusButtonState {
        id: twoState
        x: 500
        y: 50
    }
    CusProgress {
        id: progress
        x: 200
        y: 10
    }

    TestCase {
        name: "BaseControls"
        when: windowShown

        function typeInto(field, keys) {
            field.textInput.forceActiveFocus()
            field.textInput.selectAll()
            for (var i = 0; i < keys.length; ++i)
                keyClick(keys[i])
        }
        function finish() {
            keyClick(Qt.Key_Return)
        }

        function test_input_clamping_data() {
            return [
                { tag: "above range", keys: "300", expected: "255" },
                { tag: "at range", keys: "255", expected: "255" },
                { tag: "inside range", keys: "42", expected: "42" },
                { tag: "leading zeros", keys: "007", expected: "7" },
                { tag: "zero", keys: "000", expected: "0" },
                { tag: "fourth digit refused", keys: "1234", expected: "123" },
            ]
        }
        function test_input_clamping(data) {
            input.maxRange = 255
            var finished = 0
            var seen = ""
            var handler = function() { ++finished; seen = input.text }
            input.editingFinished.connect(handler)
            typeInto(input, data.keys)
            finish()
            input.editingFinished.disconnect(handler)
            compare(input.text, data.expected)
            // Listeners only ever see the corrected text.
            compare(finished, 1)
            compare(seen, data.expected)
        }

        function test_input_empty_becomes_zero() {
            typeInto(input, "12")
            finish()
            compare(input.text, "12")
            input.textInput.forceActiveFocus()
            input.textInput.selectAll()
            keyClick(Qt.Key_Delete)
            finish()
            compare(input.text, "0")
        }

        function test_input_refuses_letters() {
            typeInto(input, "a5b")
            finish()
            compare(input.text, "5")
        }

        function test_input_default_range_and_disabled_look() {
            input.maxRange = 127
            typeInto(input, "200")
            finish()
            compare(input.text, "127")
            input.enabled = false
            compare(input.color, "#333333")
            compare(input.border.width, 1)
            compare(input.textInput.color, "#a6a6a6")
            input.enabled = true
            compare(input.color, "#282a2b")
            compare(input.border.width, 0)
            input.maxRange = 255
        }

        function test_combo_disabled() {
            combo.enabled = false
            compare(combo.contentItem.color, "#a6a6a6")
            compare(combo.background.color, "#333333")
            compare(combo.background.border.width, 1)
            compare(combo.background.border.color, "#707070")
            mouseClick(combo)
            wait(50)
            verify(!combo.popup.visible)
            combo.enabled = true
            compare(combo.contentItem.color, "#e5e5e5")
            compare(combo.background.color, "#5e17cc")
            mouseClick(combo)
            tryCompare(combo.popup, "visible", true)
            combo.popup.close()
            tryCompare(combo.popup, "visible", false)
        }

        function test_combo_list_scales_with_rate() {
            MainLogic.scalingRate = 1.5
            combo.width = 120          // as the page's scaler would leave it
            combo.height = 24
            mouseClick(combo)
            tryCompare(combo.popup, "visible", true)
            compare(combo.popupRate, 1.5)
            var list = combo.popup.contentItem
            var row = list.itemAtIndex(0)
            // Rows fill the list inside its 1-px frame; the list is as wide
            // as the (already scaled) box when the items are short.
            compare(combo.popup.width, 120)
            compare(row.width, 120 - 2)
            compare(row.height, 24)
            compare(row.contentItem.font.pixelSize, 15)
            verify(!row.contentItem.truncated)
            combo.popup.close()
            tryCompare(combo.popup, "visible", false)
            // An item longer than the box widens the list instead of being
            // cut, at the list's own text size.
            combo.model = ["1", "EXCLUSIVE KEYBOARD"]
            mouseClick(combo)
            tryCompare(combo.popup, "visible", true)
            tryVerify(function() { return combo.popup.contentItem.itemAtIndex(1) !== null })
            row = combo.popup.contentItem.itemAtIndex(1)
            verify(combo.popup.width > 120)
            verify(!row.contentItem.truncated)
            compare(row.contentItem.implicitWidth <= row.width, true)
            combo.popup.close()
            tryCompare(combo.popup, "visible", false)
            combo.model = ["1", "2", "3"]
            MainLogic.scalingRate = 1.0
            combo.width = 80
            combo.height = 16
        }

        function test_grid_list_fills_columns_and_follows_rate_data() {
            return [ { tag: "1.0", rate: 1.0 }, { tag: "1.5", rate: 1.5 } ]
        }
        function test_grid_list_fills_columns_and_follows_rate(data) {
            MainLogic.scalingRate = data.rate
            grid.currentIndex = 60
            compare(grid.displayText, "C4")
            mouseClick(grid)
            tryCompare(grid.popup, "visible", true)
            compare(grid.cellWidth, 30 * data.rate)
            compare(grid.cellHeight, 14 * data.rate)
            compare(grid.popup.width, 11 * 30 * data.rate + 10 * data.rate)
            compare(grid.popup.height, 13 * 14 * data.rate)
            compare(grid.popup.y, grid.height + 3)
            compare(grid.popup.x, (grid.width - grid.popup.width) / 2)
            var view = grid.popup.contentItem
            // One octave per column: C0 (12) heads the second column, G9 (127)
            // is the eighth cell of the last one.
            var c0 = view.itemAtIndex(12)
            compare(c0.x, 30 * data.rate)
            compare(c0.y, 0)
            var g9 = view.itemAtIndex(127)
            compare(g9.x, 10 * 30 * data.rate)
            compare(g9.y, 7 * 14 * data.rate)
            grid.popup.close()
            tryCompare(grid.popup, "visible", false)
            // An owner in the rightmost column opens the grid to its left.
            grid.keyIndex = 7
            mouseClick(grid)
            tryCompare(grid.popup, "visible", true)
            compare(grid.popup.x, -200 * data.rate)
            grid.popup.close()
            tryCompare(grid.popup, "visible", false)
            grid.keyIndex = -1
            MainLogic.scalingRate = 1.0
        }

        function visibleTabs(bar) {
            var n = 0
            for (var i = 0; i < bar.count; ++i) {
                var tab = bar.itemAt(i)
                if (tab.visible && tab.width > 0)
                    ++n
            }
            return n
        }

        function test_tabbar_hides_empty_third_tab() {
            compare(visibleTabs(twoTabs), 2)
            compare(visibleTabs(threeTabs), 3)
            compare(threeTabs.itemAt(2).text, "PC")
            // Clearing the text at run time hides it too.
            threeTabs.text3 = ""
            compare(visibleTabs(threeTabs), 2)
            threeTabs.text3 = "PC"
            compare(visibleTabs(threeTabs), 3)
        }

        function test_tabbar_first_tab_has_its_own_width_and_pictures() {
            threeTabs.itemWidth = 31
            threeTabs.btnImgNormal = "qrc:/img/bqmBtnSmall@2x.png"
            compare(threeTabs.itemAt(0).width, 33)
            compare(String(threeTabs.itemAt(0).btnImgNormal), "qrc:/img/padBtn@2x.png")
            compare(threeTabs.itemAt(1).width, 31)
            compare(String(threeTabs.itemAt(1).btnImgNormal), "qrc:/img/bqmBtnSmall@2x.png")
        }

        // The control with the keyboard focus, and only that one, shows the
        // focus ring; a number field shows it while it is being edited.
        function test_focus_ring_follows_keyboard_focus() {
            function ring(control) {
                for (var i = 0; i < control.children.length; ++i) {
                    var c = control.children[i]
                    if (c.objectName === "ingnoreAll" && c.border && c.border.width === 2)
                        return c
                }
                return null
            }
            verify(ring(button) !== null)
            verify(!ring(button).visible)
            button.forceActiveFocus(Qt.TabFocusReason)
            verify(ring(button).visible)
            verify(!ring(twoState).visible)
            twoState.forceActiveFocus(Qt.TabFocusReason)
            verify(!ring(button).visible)
            verify(ring(twoState).visible)
            input.textInput.forceActiveFocus()
            verify(ring(input).visible)
            verify(!ring(twoState).visible)
        }

        // The two states of a two-state button differ in colour, not only in
        // a shade: the second is orange with dark text.
        function test_two_state_button_states_differ() {
            twoState.checked = false
            var off = Qt.rgba(twoState.background.color.r, twoState.background.color.g, twoState.background.color.b, 1)
            twoState.checked = true
            var on = twoState.background.color
            verify(Qt.colorEqual(on, "#ff7900"), String(on))
            verify(!Qt.colorEqual(off, on))
            verify(Qt.colorEqual(twoState.contentItem.color, "#1e1e1e"))
            twoState.enabled = false
            verify(Qt.colorEqual(twoState.background.color, CusConfig.colorCbxDisable))
            twoState.enabled = true
            twoState.checked = false
        }

        function test_progress_fill_follows_value() {
            progress.value = 0.5
            var fill = progress.children[0]
            compare(fill.transform[0].yScale, 0.5)
            progress.value = 7        // out of range: clamped
            compare(fill.transform[0].yScale, 1)
            progress.value = -1
            compare(fill.transform[0].yScale, 0)
        }
    }
}
