import QtQuick 2.15
import QtTest 1.2

// The whole window, loaded from the resources as the program loads it, with
// the stand-in back end.
TestCase {
    id: tc
    name: "MainWindow"

    property var win: null
    property var startCalls: []

    function createWindow() {
        var c = Qt.createComponent("qrc:/qml/main.qml")
        if (c.status !== Component.Ready)
            fail("main.qml: " + c.errorString())
        var w = c.createObject(null)
        verify(w !== null)
        return w
    }

    function init() {
        MainLogic.scalingRate = 1.0
        Tran.reTrans("English")
        Tran.storedLanguage = "English"
        MainLogic.clearCalls()
        Tran.clearCalls()
        win = createWindow()
        waitForRendering(win.contentItem)
        startCalls = Array.prototype.slice.call(MainLogic.calls)
        MainLogic.clearCalls()
    }

    function cleanup() {
        if (win) {
            win.destroy()
            win = null
        }
        wait(0)
    }

    function page(name) {
        return findChild(win.mainPage, name)
    }

    function test_startUp() {
        compare(win.title, "VornelRambaKEYQ7Xwidonw")
        compare(win.width, 1200)
        compare(win.height, 676)
        verify(win.flags & Qt.FramelessWindowHint)
        verify(win.flags & Qt.WindowMinimizeButtonHint)
        compare(Tran.calls, ["getLanguage", "reTrans English"])
        compare(win.helpDialog.linkState, "englishHelp")
        // Shown centred, and the controller told where.
        verify(win.visible)
        compare(win.x, Math.max(0, Math.round((win.screen.width - 1200) / 2)))
        compare(startCalls, ["updateProgra " + win.x + " " + win.y])
        // Dialogs exist but stay closed.
        verify(!win.functionDialog.visible)
        verify(!win.helpDialog.visible)
        verify(!win.progressDialog.visible)
        verify(!win.colorDialog.visible)
        // The About dialog's links lead somewhere (placeholder addresses).
        verify(win.helpDialog.englishLink.enabled)
        // "@2x" pictures show at half their pixel size.
        // The panel picture is read at the size it is drawn at this density.
        var bg = page("panelPicture")
        compare(String(bg.source), "qrc:/img/bg.png")
        compare(bg.width, 1110)
        compare(bg.height, 548)
        compare(bg.sourceSize, Qt.size(1110, 548))
        var keyboard = page("keyboardPicture")
        compare(keyboard.width, keyboard.sourceSize.width / 2)
    }

    // Geometry of every item below `item`, except the content items of
    // flickable views, which their views size for themselves.
    function allGeometry(item, out) {
        var kids = item.children
        var flickable = item.contentWidth !== undefined && item.contentItem !== undefined
        for (var i = 0; i < kids.length; ++i) {
            if (!(flickable && kids[i] === item.contentItem))
                out.push(kids[i] + " " + [kids[i].x, kids[i].y, kids[i].width, kids[i].height].join(","))
            allGeometry(kids[i], out)
        }
        return out
    }

    // The keyboard drawing's pads show the colours of the bank on screen.
    function test_drawn_pads_follow_pad_colours() {
        var drawn = findChild(win.mainPage, "drawnPads")
        verify(drawn !== null)
        DataMgt.receiveBytes({ "13": 10, "14": 20, "15": 30 })     // pad 0 (PAD1 of BANK A)
        // PAD1 sits at the left of the lower row.
        compare(String(drawn.itemAt(4).color), "#14283c")
        compare(String(drawn.itemAt(4).color), String(win.mainPage.padSwipe.itemAt(0).padAt(4).swatch.color))
        win.mainPage.padTabs.currentIndex = 1
        tryCompare(win.mainPage.padSwipe, "currentIndex", 1)
        compare(String(drawn.itemAt(4).color), String(win.mainPage.padSwipe.itemAt(1).padAt(4).swatch.color))
        verify(String(drawn.itemAt(4).color) !== "#14283c")
    }

    function test_screen_change_scales_window_and_content() {
        var design = allGeometry(win.contentItem, [])
        MainLogic.scalingRate = 1.5
        MainLogic.screenChanged()
        compare(win.width, 1800)
        compare(win.height, 1014)
        compare(win.mainPage.x, 67.5)
        compare(win.mainPage.y, 148.5)
        compare(win.mainPage.width, 1665)
        var send = page("sendButton")
        compare(send.x, 936 * 1.5)
        compare(send.width, 148 * 1.5)
        compare(send.font.pixelSize, 15)
        // The hint stays centred.
        tryCompare(win.contentItem, "width", 1800)
        fuzzyCompare(win.hint.x + win.hint.width / 2, 900, 1)

        MainLogic.scalingRate = 1.0
        MainLogic.screenChanged()
        compare(win.width, 1200)
        compare(win.height, 676)
        tryCompare(win.contentItem, "width", 1200)
        // Views lay their delegates out in the next polish pass, so the whole
        // tree may need a frame or two to settle back.
        var after
        tryVerify(function() {
            after = allGeometry(win.contentItem, [])
            return after.join("\n") === design.join("\n")
        }, 5000)
        compare(after.length, design.length)
        for (var i = 0; i < design.length; ++i)
            compare(after[i], design[i], "item " + i)
    }

    // A change of screen while BANK B shows keeps BANK B in view: the view
    // neither jumps back to BANK A nor slides from its old position.
    function test_screen_change_keeps_the_shown_bank() {
        var padSwipe = page("padSwipe"), knobSwipe = page("knobSwipe")
        var list = padSwipe.contentItem
        // How far BANK B's page is from the view's left edge.
        var offset = function() { return padSwipe.itemAt(1).mapToItem(padSwipe, 0, 0).x }
        padSwipe.currentIndex = 1
        tryCompare(list, "moving", false)
        tryVerify(function() { return offset() === 0 })
        var seen = []
        var record = function() { seen.push(offset()) }
        list.contentXChanged.connect(record)
        var rates = [1.5, 1.0]
        for (var i = 0; i < rates.length; ++i) {
            seen = []
            MainLogic.scalingRate = rates[i]
            MainLogic.screenChanged()
            compare(padSwipe.width, 484 * rates[i])
            compare(padSwipe.itemAt(1).width, padSwipe.width)
            compare(offset(), 0)
            wait(300)      // longer than the view's page animation
            compare(offset(), 0)
            for (var j = 0; j < seen.length; ++j)
                compare(seen[j], 0, "scrolled through " + seen.join(", "))
            compare(padSwipe.currentIndex, 1)
            compare(page("padTabs").currentIndex, 1)
            compare(knobSwipe.itemAt(0).mapToItem(knobSwipe, 0, 0).x, 0)
        }
        list.contentXChanged.disconnect(record)
    }

    function test_start_at_scaled_rate() {
        win.destroy()
        MainLogic.scalingRate = 1.25
        win = createWindow()
        compare(win.width, 1500)
        compare(win.height, 845)
        compare(win.scaler.verticalRatio, 1.25)
        compare(win.scaler.horizontalRatio, 1.25)
        compare(page("getButton").y, 482 * 1.25)
    }

    function test_nonsense_rate_keeps_design_size() {
        win.destroy()
        MainLogic.scalingRate = 0
        win = createWindow()
        compare(win.width, 1200)
        compare(win.height, 676)
    }

    function test_connection_status() {
        var status = page("connectState")
        compare(status.state, "")
        compare(status.text, "No device found")
        compare(status.dotColor, "#707070")
        compare(status.textColor, "#a0a0a0")
        MainLogic.devStateChanged(true)
        compare(status.state, "connect")
        compare(status.text, "Device connected")
        compare(status.dotColor, "#ff7900")
        compare(status.textColor, "#e5e5e5")
        MainLogic.devStateChanged(false)
        compare(status.state, "")
        compare(status.text, "No device found")
        compare(status.dotColor, "#707070")
    }

    function test_note_label() {
        var label = page("noteLabel")
        MainLogic.padNumberChanged(60)
        compare(label.text, "C4")
        MainLogic.padNumberChanged(0)
        compare(label.text, "C-1")
        MainLogic.padNumberChanged(127)
        compare(label.text, "G9")
        MainLogic.padNumberChanged(61)
        compare(label.text, "C#4")
        MainLogic.padNumberChanged(128)
        compare(label.text, "C#4")
        MainLogic.padNumberChanged(-1)
        compare(label.text, "C#4")
    }

    function test_result_hints() {
        MainLogic.showHint(true, true)
        compare(win.hint.text, "Succeeded in sending data")
        verify(win.hint.showing)
        MainLogic.showHint(false, true)
        compare(win.hint.text, "Getting data succeeded")
        MainLogic.showHint(true, false)
        compare(win.hint.text, "Failed to send data")
        MainLogic.showHint(false, false)
        compare(win.hint.text, "Failed to get data")
        verify(win.hint.holdTimer.running)
    }

    function test_send_and_get_buttons() {
        mouseClick(page("sendButton"))
        mouseClick(page("getButton"))
        compare(MainLogic.calls, ["sendData", "getData"])
    }

    // Help > Open Userguide without a guide says so in a dialog named after
    // the guide, in the interface's language; OK closes it.
    function test_missing_user_guide_is_reported_data() {
        return [
            { tag: "en", language: "English", title: "User guide", start: "The user guide was not found." },
            { tag: "zh", language: "简体中文", title: "用户指南", start: "找不到用户指南。" }
        ]
    }
    function test_missing_user_guide_is_reported(data) {
        Tran.reTrans(data.language)
        MainLogic.guideUrl = ""
        var notice = win.noticeDialog
        verify(!notice.visible)
        verify(!win.menuBarItem.openUserGuide())
        tryCompare(notice, "opened", true)
        compare(notice.title, data.title)
        compare(notice.messageText.text.indexOf(data.start), 0)
        verify(notice.messageText.text.indexOf("VornelRambaKEYQ7X.pdf") > 0)
        mouseClick(notice.okButton)
        tryCompare(notice, "visible", false)
        Tran.reTrans("English")
    }

    function test_bank_tabs_follow_pages_both_ways() {
        var padSwipe = page("padSwipe"), padTabs = page("padTabs")
        var knobSwipe = page("knobSwipe"), knobTabs = page("knobTabs")
        compare(padTabs.itemAt(0).text, "BANK A")
        compare(padTabs.itemAt(1).text, "BANK B")
        verify(!padTabs.itemAt(2).visible)
        // Swiping the pads selects their tab; the knob tabs stay.
        padSwipe.incrementCurrentIndex()
        compare(padSwipe.currentIndex, 1)
        compare(padTabs.currentIndex, 1)
        compare(knobTabs.currentIndex, 0)
        compare(knobSwipe.currentIndex, 0)
        // Clicking a knob tab shows its page.
        mouseClick(knobTabs.itemAt(1))
        compare(knobTabs.currentIndex, 1)
        compare(knobSwipe.currentIndex, 1)
        compare(padTabs.currentIndex, 1)
        mouseClick(padTabs.itemAt(0))
        compare(padSwipe.currentIndex, 0)
        // And both ways still work after that.
        padSwipe.incrementCurrentIndex()
        compare(padTabs.currentIndex, 1)
    }

    function test_stored_language_chooses_link_row_data() {
        return [
            { tag: "Chinese", stored: "简体中文", state: "chineseHelp" },
            { tag: "English", stored: "English", state: "englishHelp" },
            { tag: "empty", stored: "", state: "englishHelp" },
            { tag: "other", stored: "Deutsch", state: "englishHelp" },
        ]
    }
    function test_stored_language_chooses_link_row(data) {
        win.destroy()
        Tran.storedLanguage = data.stored
        Tran.clearCalls()
        win = createWindow()
        compare(Tran.calls, ["getLanguage", "reTrans " + data.stored])
        waitForRendering(win.contentItem)
        compare(win.helpDialog.linkState, data.state)
    }

    // The dialogs opened on request are made once the first frame is on
    // screen; one asked for before that is made there and then, in the
    // language and at the rate of the window.
    function test_dialogs_made_after_the_first_frame_data() {
        return [
            { tag: "shown", askEarly: false, rate: 1.0 },
            { tag: "About asked for at once", askEarly: true, rate: 1.0 },
            { tag: "About asked for at once, rate 1.5", askEarly: true, rate: 1.5 },
        ]
    }
    function test_dialogs_made_after_the_first_frame(data) {
        win.destroy()
        MainLogic.scalingRate = data.rate
        Tran.storedLanguage = "简体中文"
        win = createWindow()
        compare(win.functionDialog, null)
        compare(win.helpDialog, null)
        if (data.askEarly) {
            win.menuBarItem.menuBar.menuAt(3).actionAt(1).trigger()
            verify(win.helpDialog !== null)
            tryCompare(win.helpDialog, "opened", true)
            compare(win.helpDialog.width, Math.round(358 * data.rate))
        } else {
            waitForRendering(win.contentItem)
            verify(!win.helpDialog.visible)
        }
        verify(win.functionDialog !== null && win.colorDialog !== null && win.noticeDialog !== null)
        compare(win.helpDialog.linkState, "chineseHelp")
        compare(win.helpDialog.title, "关于")
        // The store was filled before the dialog was made.
        var v = DataMgt.getVerInfo()
        compare(win.helpDialog.firmwareVersion, v[0] + "." + v[1] + "." + v[2])
        verify(!win.functionDialog.visible)
    }

    function test_live_retranslation() {
        verify(Tran.catalogueLoaded())
        var status = page("connectState")
        var bar = win.menuBarItem.menuBar
        var languages = bar.menuAt(3).menuAt(2)
        languages.actionAt(0).trigger()
        // The whole window is Chinese at once, without reopening anything.
        compare(win.helpDialog.linkState, "chineseHelp")
        compare(status.text, "未连接")
        compare(bar.menuAt(0).title, "文件")
        compare(bar.menuAt(0).actionAt(0).text, "打开")
        compare(bar.menuAt(3).actionAt(0).text, "打开用户指南")
        compare(page("sendButton").text, "发送到硬件")
        compare(page("padTabs").itemAt(1).text, "储存 B")
        MainLogic.devStateChanged(true)
        compare(status.text, "已连接")
        MainLogic.showHint(true, false)
        compare(win.hint.text, "发送数据失败")
        // The language items keep their own names.
        compare(languages.actionAt(0).text, "简体中文")
        compare(languages.actionAt(1).text, "English")
        languages.actionAt(1).trigger()
        compare(win.helpDialog.linkState, "englishHelp")
        compare(status.text, "Device connected")
        compare(bar.menuAt(0).title, "File")
    }
}
