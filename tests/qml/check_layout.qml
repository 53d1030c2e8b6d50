import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.2
import "layoutcheck.js" as Layout

// The window and every dialog, menu and list, in English and Chinese at the
// scaling rates 1.0 and 1.5, checked as drawn: no text over another text, no
// text wider than its box or cut by what clips it, none crossed by a divider
// or hanging over a picture's edge, and every text readable against its
// background (contrast 4.5:1). Each state checked is also saved as a picture
// (screenshots/layout_<language>_<rate>_<state>.png) for a person to look at.
TestCase {
    id: tc
    name: "Layout"
    when: windowShown

    property var win: null
    property var found: []
    property string tag: ""

    function init() {
        if (Qt.platform.pluginName !== "xcb")
            skip("the check reads the drawn window: needs an X display (xvfb-run, QT_QPA_PLATFORM=xcb)")
    }

    function cleanup() {
        if (win) {
            win.destroy()
            win = null
        }
        MainLogic.scalingRate = 1.0
        Tran.storedLanguage = "English"
        Tran.reTrans("English")
        wait(0)
    }

    function createWindow(language, rate) {
        MainLogic.scalingRate = rate
        Tran.storedLanguage = language
        var c = Qt.createComponent("qrc:/qml/main.qml")
        if (c.status !== Component.Ready)
            fail("main.qml: " + c.errorString())
        var w = c.createObject(null)
        verify(w !== null)
        Tran.reTrans(language)
        DataMgt.initDefaultData()
        waitForRendering(w.contentItem)
        return w
    }

    function isOverlay(item) {
        return Layout.className(item) === "QQuickOverlay"
    }

    function windowBounds() {
        return { x: 0, y: 0, w: win.width, h: win.height }
    }

    function grab(state) {
        waitForRendering(win.contentItem)
        wait(30)
        var img = grabImage(win.contentItem)
        img.save("screenshots/layout_" + tag + "_" + state + ".png")
        return img
    }

    function checkRoot(state, root, bounds, skipFn) {
        var img = grab(state)
        var list = Layout.texts(root, bounds, skipFn)
        var p = Layout.problems(list, img)
        for (var i = 0; i < p.length; ++i) {
            found.push(tag + " " + state + ": " + p[i])
            console.warn(found[found.length - 1])
        }
        return list.texts.length
    }

    function checkWindow(state) {
        return checkRoot(state, win.contentItem, windowBounds(), isOverlay)
    }

    // A pop-up (dialog, menu or list): its own item only, inside its own
    // frame and the window.
    function checkPopup(state, popup) {
        tryCompare(popup, "opened", true)
        var item = popup.background ? popup.background.parent : popup.contentItem.parent
        var r = item.mapToItem(null, 0, 0)
        var bounds = Layout.intersect(windowBounds(), { x: r.x, y: r.y, w: item.width, h: item.height })
        return checkRoot(state, item, bounds, null)
    }

    function closePopup(popup) {
        popup.close()
        tryCompare(popup, "visible", false)
    }

    // Bank pages slide into view; the hint fades in.
    function settle() {
        wait(400)
        var panel = win.hint.children[0]
        if (win.hint.showing) {
            // Kept up for as long as the check takes.
            win.hint.holdTimer.stop()
            tryVerify(function() { return panel.opacity === 1 }, 3000, "the hint faded in")
        }
    }

    // The rules themselves, on a small drawing with one fault per row (and a
    // clean one): the check must name exactly the fault that is there.
    Component {
        id: sample
        Window {
            property alias first: first
            property alias second: second
            width: 300
            height: 100
            visible: true
            color: "#333333"
            Text { id: first; x: 10; y: 10; text: "KEY"; color: "#e5e5e5"; font.pixelSize: 10 }
            Text { id: second; x: 60; y: 10; text: "CH"; color: "#e5e5e5"; font.pixelSize: 10 }
            Rectangle {
                x: 150; y: 0; width: 60; height: 40; clip: true; color: "#333333"
                Text { objectName: "inClip"; x: 2; y: 10; text: "ok"; color: "#e5e5e5"; font.pixelSize: 10 }
            }
            Rectangle { objectName: "divider"; x: 0; y: 60; width: 300; height: 1; color: "#707070"; visible: false }
        }
    }

    function test_rules_data() {
        return [
            { tag: "clean", change: function(s) {}, fault: "" },
            { tag: "overlap", change: function(s) { s.second.x = 20; s.second.y = 13 }, fault: "overlap" },
            { tag: "too wide", change: function(s) { s.first.width = 8 }, fault: "too wide" },
            { tag: "elided", change: function(s) { s.first.width = 12; s.first.elide = Text.ElideRight }, fault: "too wide|cut" },
            { tag: "clipped", change: function(s) { findChild(s.contentItem, "inClip").x = 50 }, fault: "clipped" },
            { tag: "divider", change: function(s) {
                var d = findChild(s.contentItem, "divider"); d.y = 17; d.visible = true }, fault: "crossed" },
            { tag: "contrast", change: function(s) { s.first.color = "#555555" }, fault: "contrast" },
            // Allowed: a disabled control's text may be faint.
            { tag: "faint but disabled", change: function(s) { s.first.color = "#555555"; s.first.enabled = false },
              fault: "" }
        ]
    }

    function test_rules(data) {
        var s = createTemporaryObject(sample, tc)
        verify(s !== null)
        data.change(s)
        waitForRendering(s.contentItem)
        var list = Layout.texts(s.contentItem, { x: 0, y: 0, w: s.width, h: s.height }, null)
        compare(list.texts.length, 3)
        var found = Layout.problems(list, grabImage(s.contentItem))
        if (data.fault === "") {
            compare(found, [])
        } else {
            verify(found.length >= 1, "nothing found")
            var kinds = data.fault.split("|")
            for (var i = 0; i < found.length; ++i) {
                verify(kinds.some(function(k) { return found[i].indexOf(k) === 0 }), found[i])
            }
        }
    }

    function test_layout_data() {
        return [
            { tag: "en_1.0", language: "English", rate: 1.0 },
            { tag: "zh_1.0", language: "简体中文", rate: 1.0 },
            { tag: "en_1.5", language: "English", rate: 1.5 },
            { tag: "zh_1.5", language: "简体中文", rate: 1.5 }
        ]
    }

    function test_layout(data) {
        found = []
        tag = data.tag
        win = createWindow(data.language, data.rate)
        var page = win.mainPage

        checkWindow("window")

        // Every type of every editor: pads in CC (top row) and PC (bottom
        // row), knobs in PC and TOUCH, transport in MC, modulation in MOD.
        var bankA = page.padSwipe.itemAt(0)
        for (var i = 0; i < 8; ++i)
            bankA.padAt(i).typeBar.currentIndex = i < 4 ? 1 : 2
        bankA.padAt(1).modeButton.checked = true
        var knobsA = page.knobSwipe.itemAt(0)
        knobsA.knobAt(0).typeBar.currentIndex = 1
        knobsA.knobAt(1).typeBar.currentIndex = 2
        MainLogic.showHint(true, true)
        settle()
        checkWindow("modes")

        // Keyboard focus on a list: its ring must not cover any text.
        win.requestActivate()
        tryVerify(function() { return win.active }, 3000, "window active")
        bankA.padAt(0).channelList.forceActiveFocus(Qt.TabFocusReason)
        verify(bankA.padAt(0).channelList.visualFocus)
        checkWindow("focus")

        page.padTabs.currentIndex = 1
        page.knobTabs.currentIndex = 1
        MainLogic.showHint(false, false)
        settle()
        checkWindow("bank_b")

        // Menus.
        var bar = win.menuBarItem.menuBar
        var names = ["menu_file", "menu_edit", "menu_populate", "menu_help"]
        for (var m = 0; m < bar.count; ++m) {
            var menu = bar.menuAt(m)
            mouseClick(bar.itemAt(m))
            checkPopup(names[m], menu)
            closePopup(menu)
        }
        var languages = bar.menuAt(3).menuAt(2)
        bar.menuAt(3).open()
        languages.open()
        checkPopup("menu_language", languages)
        closePopup(languages)
        closePopup(bar.menuAt(3))

        // Lists: a text list, a channel list and the note grid.
        var lists = [["list_arp_mode", findChild(page, "modeList")],
                     ["list_full_vel", findChild(page, "rangeList")],
                     ["list_channel", bankA.padAt(4).channelList]]
        page.padTabs.currentIndex = 0
        settle()
        bankA.padAt(4).typeBar.currentIndex = 0
        lists.push(["list_notes", bankA.padAt(4).noteList])
        for (var l = 0; l < lists.length; ++l) {
            lists[l][1].popup.open()
            checkPopup(lists[l][0], lists[l][1].popup)
            closePopup(lists[l][1].popup)
        }

        // Dialogs.
        var populate = win.functionDialog
        populate.show()
        populate.padNote.checkBox.checked = true
        populate.knobCc.checkBox.checked = true
        checkPopup("dialog_populate", populate)
        populate.padNote.scaleList.popup.open()
        checkPopup("dialog_populate_scale", populate.padNote.scaleList.popup)
        closePopup(populate.padNote.scaleList.popup)
        closePopup(populate)

        var colour = win.colorDialog
        colour.show(3, bankA.padAt(7).swatch, "#3366cc")
        checkPopup("dialog_colour", colour)
        closePopup(colour)

        var about = win.helpDialog
        about.show()
        MainLogic.s_snNum("Q7X2026000123")
        DataMgt.s_updateDate()
        checkPopup("dialog_about", about)
        closePopup(about)

        var firmware = win.progressDialog
        firmware.show()
        checkPopup("dialog_firmware_wait", firmware)
        Ftp.info("Q7X_V1.03.bin", 1.03, ["Pads answer faster", "Arpeggiator swing fixed"])
        checkPopup("dialog_firmware_offer", firmware)
        FirmwareUpdate.transmitProgress(60)
        checkPopup("dialog_firmware_progress", firmware)
        FirmwareUpdate.transStatus(true)
        checkPopup("dialog_firmware_done", firmware)
        closePopup(firmware)

        compare(found.length, 0, found.length + " layout faults, first: " + found.slice(0, 5).join(" | "))
    }
}
