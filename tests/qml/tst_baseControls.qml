import QtQuick 2.15
import QtTest 1.2
import "qrc:/qml/BaseControl"

Item {
    id: root
    width: 400
    height: 300

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
