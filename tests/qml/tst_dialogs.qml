import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.2

// The auto-populate, colour, About and firmware dialogs, driven as a user
// and the back end would drive them.
Item {
Window {
    id: host
    width: 1200
    height: 700
    visible: true

TestCase {
    id: tc
    name: "Dialogs"
    when: windowShown

    function create(path, props) {
        var c = Qt.createComponent("qrc:/qml/" + path)
        if (c.status !== Component.Ready)
            fail(path + ": " + c.errorString())
        var obj = createTemporaryObject(c, host.contentItem, props || {})
        verify(obj !== null, path)
        return obj
    }

    function typeInto(field, text) {
        field.textInput.forceActiveFocus()
        field.textInput.selectAll()
        if (text === "")
            keyClick(Qt.Key_Delete)
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
        keyClick(Qt.Key_Return)
    }

    function openDialog(dialog) {
        dialog.show()
        tryCompare(dialog, "opened", true)
    }

    function init() {
        host.requestActivate()
        tryCompare(host, "active", true)
        MainLogic.scalingRate = 1.0
        DataMgt.initDefaultData()
        DataMgt.clearCalls()
        Ftp.clearCalls()
    }

    // --- Auto populate -------------------------------------------------

    function test_populate_initial_settings() {
        var d = create("modular/FunctionDialog.qml")
        openDialog(d)
        compare(d.x, (host.width - 667) / 2)
        compare(d.y, (host.height - 475) / 2)
        var sections = [d.padNote, d.padCc, d.padPc, d.knobCc, d.knobPc]
        for (var i = 0; i < sections.length; ++i) {
            verify(!sections[i].checkBox.checked)
            compare(sections[i].startField.text, "0")
            compare(sections[i].channelList.currentText, "1")
            compare(sections[i].orderButton.text, "ASC")
        }
        // Shown spelt right, handed to the store under the name it knows.
        compare(d.padNote.scaleList.currentText, "Chromatic")
        compare(d.padNote.scaleName, "Chormatic")
        compare(d.padNote.scaleList.count, 10)
        compare(d.padCc.typeButton.text, "Moment")
        compare(d.knobCc.maxField.text, "127")
        compare(d.knobPc.maxField.text, "127")
        compare(d.knobPc.minField.text, "0")
        // Applying with nothing enabled calls nothing.
        mouseClick(d.applyA)
        mouseClick(d.applyAB)
        compare(DataMgt.calls, [])
    }

    function test_populate_one_section_per_group() {
        var d = create("modular/FunctionDialog.qml")
        openDialog(d)
        mouseClick(d.knobPc.checkBox)
        mouseClick(d.padNote.checkBox)
        verify(d.padNote.checkBox.checked)
        mouseClick(d.padCc.checkBox)
        verify(d.padCc.checkBox.checked)
        verify(!d.padNote.checkBox.checked)
        verify(!d.padPc.checkBox.checked)
        verify(d.knobPc.checkBox.checked)       // the other group is untouched
        mouseClick(d.knobCc.checkBox)
        verify(!d.knobPc.checkBox.checked)
        verify(d.padCc.checkBox.checked)
        // Unchecking changes nothing else.
        mouseClick(d.padCc.checkBox)
        verify(!d.padCc.checkBox.checked)
        verify(!d.padNote.checkBox.checked && !d.padPc.checkBox.checked)
        verify(d.knobCc.checkBox.checked)
    }

    function test_populate_chromatic_reaches_the_store() {
        var d = create("modular/FunctionDialog.qml")
        openDialog(d)
        mouseClick(d.padNote.checkBox)
        typeInto(d.padNote.startField, "60")
        mouseClick(d.applyA)
        compare(DataMgt.calls, ["setPadNoteBatch 1 Chormatic false 60 1"])
        compare(DataMgt.getPadInfo(0).padData, 60)
        compare(DataMgt.getPadInfo(7).padData, 67)
    }

    function test_populate_exact_calls() {
        var d = create("modular/FunctionDialog.qml")
        openDialog(d)
        mouseClick(d.padNote.checkBox)
        d.padNote.scaleList.currentIndex = 1        // Major
        mouseClick(d.padNote.orderButton)           // DES
        typeInto(d.padNote.startField, "300")
        compare(d.padNote.startField.text, "127")
        d.padNote.channelList.currentIndex = 2
        mouseClick(d.knobPc.checkBox)
        typeInto(d.knobPc.startField, "10")
        typeInto(d.knobPc.minField, "5")
        typeInto(d.knobPc.maxField, "120")
        d.knobPc.channelList.currentIndex = 15
        mouseClick(d.applyAB)
        compare(DataMgt.calls, ["setPadNoteBatch 3 Major true 127 3",
                                "setKnobsBatch 3 PC false 10 16 5 120"])
        verify(d.opened)                            // applying does not close
        DataMgt.clearCalls()
        mouseClick(d.applyA)
        mouseClick(d.applyB)
        compare(DataMgt.calls, ["setPadNoteBatch 1 Major true 127 3",
                                "setKnobsBatch 1 PC false 10 16 5 120",
                                "setPadNoteBatch 2 Major true 127 3",
                                "setKnobsBatch 2 PC false 10 16 5 120"])
        // The store did the work and the knobs of BANK B have the range.
        compare(DataMgt.getKnobInfo(8).knboType, 1)
        compare(DataMgt.getKnobInfo(15).knboData, 17)
        compare(DataMgt.getKnobInfo(15).knboMax, 120)
    }

    function test_populate_pad_cc_pc_and_knob_cc() {
        var d = create("modular/FunctionDialog.qml")
        openDialog(d)
        mouseClick(d.padCc.checkBox)
        mouseClick(d.padCc.typeButton)
        compare(d.padCc.typeButton.text, "Toggle")
        typeInto(d.padCc.startField, "100")
        mouseClick(d.knobCc.checkBox)
        mouseClick(d.knobCc.orderButton)
        compare(d.knobCc.orderButton.text, "DES")
        typeInto(d.knobCc.startField, "20")
        mouseClick(d.applyB)
        mouseClick(d.padPc.checkBox)
        typeInto(d.padPc.startField, "7")
        mouseClick(d.applyA)
        compare(DataMgt.calls, ["setPadCCBatch 2 false true 100 1",
                                "setKnobsBatch 2 CC true 20 1 0 127",
                                "setPadPCBatch 1 false 7 1",
                                "setKnobsBatch 1 CC true 20 1 0 127"])
    }

    function test_populate_keeps_settings_between_openings() {
        var d = create("modular/FunctionDialog.qml")
        openDialog(d)
        mouseClick(d.padPc.checkBox)
        typeInto(d.padPc.startField, "64")
        mouseClick(d.closeButton)
        tryCompare(d, "visible", false)
        openDialog(d)
        verify(d.padPc.checkBox.checked)
        compare(d.padPc.startField.text, "64")
    }

    function test_populate_scales_with_the_screen() {
        var d = create("modular/FunctionDialog.qml")
        MainLogic.scalingRate = 1.5
        MainLogic.screenChanged()
        compare(d.width, 667 * 1.5)
        compare(d.height, 475 * 1.5)
        compare(d.applyAB.x, 411 * 1.5)
        compare(d.padPc.y, 305 * 1.5)
        MainLogic.scalingRate = 1.0
        MainLogic.screenChanged()
        compare(d.width, 667)
        compare(d.applyAB.x, 411)
    }

    // --- Colour --------------------------------------------------------

    function test_color_row_and_dialog() {
        var dlg = create("modular/ColorDialog.qml")
        var row = create("component/ColorSet.qml", { colorDialog: dlg, x: 20, y: 20 })
        typeInto(row.redField, "16")
        typeInto(row.greenField, "32")
        typeInto(row.blueField, "300")
        compare(row.blueField.text, "255")
        compare(String(row.colorRect.color), "#1020ff")
        mouseClick(row.colorRect)
        tryCompare(dlg, "opened", true)
        compare(dlg.keyIndex, -1)
        compare(dlg.currentColor, "#1020ff")
        compare(dlg.redField.text, "16")
        compare(dlg.greenField.text, "32")
        compare(dlg.blueField.text, "255")
        // Fields: out-of-range red is limited before the colour is built.
        typeInto(dlg.redField, "300")
        compare(dlg.redField.text, "255")
        compare(dlg.currentColor, "#ff20ff")
        compare(String(dlg.preview.color), "#ff20ff")
        // Picking on the wheel: the right end is red, the left end cyan.
        var w = dlg.wheel
        waitForRendering(w)
        mousePress(w, 292, 149)
        compare(dlg.currentColor, "#ff0000")
        compare(dlg.redField.text, "255")
        compare(dlg.greenField.text, "0")
        mouseMove(w, 7, 149)
        mouseRelease(w, 7, 149)
        verify(/^#00f[ef]ff$/.test(dlg.currentColor), dlg.currentColor)
        // Outside the wheel: nothing changes.
        var before = dlg.currentColor
        mouseClick(w, 1, 1)
        compare(dlg.currentColor, before)
        // Cancel leaves the row alone.
        mouseClick(dlg.cancelButton)
        tryCompare(dlg, "visible", false)
        compare(String(row.colorRect.color), "#1020ff")
        compare(row.redField.text, "16")
        // Confirm sets the square and the row's fields.
        mouseClick(row.colorRect)
        tryCompare(dlg, "opened", true)
        mousePress(w, 292, 149)
        mouseRelease(w, 292, 149)
        mouseClick(dlg.confirmButton)
        tryCompare(dlg, "visible", false)
        compare(String(row.colorRect.color), "#ff0000")
        compare(row.redField.text, "255")
        compare(row.greenField.text, "0")
        compare(row.blueField.text, "0")
        compare(DataMgt.calls, [])
    }

    function test_pad_colour_is_stored() {
        var dlg = create("modular/ColorDialog.qml")
        var page = create("modular/PadPage.qml", { bank: 0, colorDialog: dlg })
        var pad = page.padAt(7)                 // PAD4, store index 3
        compare(String(pad.swatch.color), DataMgt.getPadColor(3))
        mouseClick(pad.swatch)
        tryCompare(dlg, "opened", true)
        compare(dlg.keyIndex, 3)
        typeInto(dlg.redField, "255")
        typeInto(dlg.greenField, "128")
        typeInto(dlg.blueField, "3")
        mouseClick(dlg.confirmButton)
        tryCompare(dlg, "visible", false)
        compare(DataMgt.calls, ["setPadColor 3 255 128 3"])
        // The square shows what the store holds (7-bit components doubled).
        compare(DataMgt.getPadColor(3), "#fe8002")
        compare(String(pad.swatch.color), "#fe8002")
        // Cancel stores nothing.
        DataMgt.clearCalls()
        mouseClick(pad.swatch)
        tryCompare(dlg, "opened", true)
        typeInto(dlg.redField, "0")
        mouseClick(dlg.cancelButton)
        tryCompare(dlg, "visible", false)
        compare(DataMgt.calls, [])
        compare(String(pad.swatch.color), "#fe8002")
        // A received configuration recolours the square.
        DataMgt.receiveBytes({ "34": 10, "35": 20, "36": 30 })   // pad 3: offsets 30 + 4 ... 6
        compare(String(pad.swatch.color), "#14283c")
    }

    // A press beside the colour dialog leaves it open with the colour being
    // picked; Escape closes it without storing.
    function test_colour_dialog_keeps_the_pick_on_a_press_beside_it() {
        var dlg = create("modular/ColorDialog.qml")
        var page = create("modular/PadPage.qml", { bank: 1, colorDialog: dlg })
        var pad = page.padAt(0)                 // PAD5 of BANK B, store index 12
        mouseClick(pad.swatch)
        tryCompare(dlg, "opened", true)
        compare(dlg.titleText.text, "Colour of PAD5, BANK B")
        typeInto(dlg.redField, "200")
        mouseClick(host.contentItem, 2, 2)
        wait(50)
        verify(dlg.visible)
        compare(dlg.redField.text, "200")
        DataMgt.clearCalls()
        keyClick(Qt.Key_Escape)
        tryCompare(dlg, "visible", false)
        compare(DataMgt.calls, [])
    }

    // Apply says what it did, or that nothing was ticked.
    function test_populate_apply_says_what_it_did() {
        var d = create("modular/FunctionDialog.qml")
        openDialog(d)
        mouseClick(d.applyA)
        verify(d.resultText.text.indexOf("Nothing applied") === 0, d.resultText.text)
        mouseClick(d.padNote.checkBox)
        mouseClick(d.knobPc.checkBox)
        mouseClick(d.applyAB)
        compare(d.resultText.text, "Applied to BANK A and BANK B: pad notes, knob PC.")
    }

    function test_pads_use_the_window_colour_dialog() {
        var c = Qt.createComponent("qrc:/qml/main.qml")
        if (c.status !== Component.Ready)
            fail("main.qml: " + c.errorString())
        var win = c.createObject(null)
        verify(win !== null)
        try {
            waitForRendering(win.contentItem)
            DataMgt.initDefaultData()
            DataMgt.clearCalls()
            var padsB = win.mainPage.padSwipe.itemAt(1)
            var pad = padsB.padAt(3)                  // PAD8 of BANK B: store index 15
            compare(pad.keyIndex, 15)
            pad.openColorDialog()
            tryCompare(win.colorDialog, "opened", true)
            compare(win.colorDialog.keyIndex, 15)
            compare(win.colorDialog.currentColor, DataMgt.getPadColor(15))
            win.colorDialog.redField.text = "0"
            win.colorDialog.greenField.text = "0"
            win.colorDialog.blueField.text = "255"
            win.colorDialog.confirm()
            compare(DataMgt.calls, ["setPadColor 15 0 0 255"])
            compare(String(pad.swatch.color), "#0000fe")
            tryCompare(win.colorDialog, "visible", false)
            // A colour-setting row placed in the window opens the same dialog
            // for itself (index -1); confirming touches no pad.
            var rc = Qt.createComponent("qrc:/qml/component/ColorSet.qml")
            var row = rc.createObject(win.contentItem, { x: 10, y: 10 })
            verify(row !== null)
            row.openColorDialog()
            tryCompare(win.colorDialog, "opened", true)
            compare(win.colorDialog.keyIndex, -1)
            compare(win.colorDialog.colorRect, row.colorRect)
            win.colorDialog.syncFields("#102030")
            win.colorDialog.currentColor = "#102030"
            DataMgt.clearCalls()
            win.colorDialog.confirm()
            compare(DataMgt.calls, [])
            compare(String(row.colorRect.color), "#102030")
            compare(row.greenField.text, "32")
            row.destroy()
        } finally {
            win.destroy()
        }
    }

    // --- About ---------------------------------------------------------

    function test_about_dialog() {
        var d = create("modular/HelpDialog.qml")
        openDialog(d)
        compare(d.snText.text, "")
        compare(findChild(d.contentItem, "programLine").text, "Vornel PC Control Linux")
        compare(findChild(d.contentItem, "softVersionText").text, "Version：1.0.0.8")
        MainLogic.s_snNum("Q7X-000123")
        compare(d.snText.text, "sn:Q7X-000123")
        MainLogic.s_snNum("")
        compare(d.snText.text, "sn:")
        MainLogic.s_snNum("Q7X-000123")
        DataMgt.receiveBytes({ "3": 1, "4": 0, "5": 3 })
        compare(d.firmwareText.text, "Firmware:1.0.3")
        mouseClick(d.updateButton)
        compare(Ftp.calls, ["checkOnLineFirmware"])
        verify(d.opened)
        // Link area by language.
        verify(d.englishLink.visible)
        verify(!d.chineseLinks.visible)
        d.linkState = "chineseHelp"
        verify(!d.englishLink.visible)
        verify(d.chineseLinks.visible)
        d.linkState = "englishHelp"
        verify(d.englishLink.visible)
        // A link without an address stays inactive.
        verify(!d.englishLink.enabled)
        d.supportUrl = "https://support.invalid/"
        verify(d.englishLink.enabled)
        mouseClick(d.closeButton)
        tryCompare(d, "visible", false)
    }

    // --- Firmware ------------------------------------------------------

    function visibleParts(d) {
        var parts = []
        if (d.busy.visible) parts.push("busy")
        if (d.offerText.visible) parts.push("offer")
        if (d.descriptionView.visible) parts.push("description")
        if (d.upgradeButton.visible) parts.push("upgrade")
        if (d.retryButton.visible) parts.push("retry")
        if (d.progress.visible) parts.push("progress")
        if (d.statusText.visible) parts.push("status")
        return parts
    }

    function test_firmware_newest_already() {
        var d = create("modular/ProgressDialog.qml")
        Ftp.showDialog()
        tryCompare(d, "opened", true)
        compare(visibleParts(d), ["busy"])
        Ftp.info("null", 0, [])
        compare(visibleParts(d), ["status"])
        compare(d.statusText.text, "This is already the newest firmware; no upgrade is needed!")
    }

    function test_firmware_update_sequence() {
        var d = create("modular/ProgressDialog.qml")
        Ftp.showDialog()
        tryCompare(d, "opened", true)
        Ftp.info("Q7X_V1.2.bin", 1.2, [])
        compare(visibleParts(d), ["offer", "description", "upgrade"])
        compare(d.description.text, "Firmware name:Q7X_V1.2.bin\nVersion:1.2")
        compare(d.offerText.text, "A new firmware version was found. Do you want to upgrade?")
        // A second announcement while open changes nothing.
        Ftp.showDialog()
        compare(visibleParts(d), ["offer", "description", "upgrade"])
        Ftp.info("Q7X_V1.3.bin", 1.3, ["Faster pads", "<b>Fixes</b>"])
        compare(d.description.text, "Firmware name:Q7X_V1.3.bin\nVersion:1.3\nFaster pads\n<b>Fixes</b>")
        mouseClick(d.upgradeButton)
        compare(Ftp.calls, ["downloadFir"])
        compare(visibleParts(d), ["busy"])
        FirmwareUpdate.transmitProgress(50)
        compare(visibleParts(d), ["progress"])
        compare(d.progress.value, 0.5)
        FirmwareUpdate.transmitProgress(100)
        compare(d.progress.value, 1)
        FirmwareUpdate.transStatus(true)
        compare(visibleParts(d), ["status"])
        compare(d.statusText.text, "Firmware upgrade succeeded!")
        compare(d.progress.value, 0)
        FirmwareUpdate.transStatus(false)
        compare(d.statusText.text, "Firmware upgrade failed!")
        // Closed, the next announcement opens it waiting again.
        mouseClick(d.closeButton)
        tryCompare(d, "visible", false)
        Ftp.showDialog()
        tryCompare(d, "opened", true)
        compare(visibleParts(d), ["busy"])
    }

    function test_firmware_progress_replaces_whatever_is_shown() {
        var d = create("modular/ProgressDialog.qml")
        d.show()
        tryCompare(d, "opened", true)
        Ftp.info("Q7X_V1.2.bin", 1.2, ["x"])
        FirmwareUpdate.transmitProgress(250)        // out of range: full
        compare(visibleParts(d), ["progress"])
        compare(d.progress.value, 1)
        FirmwareUpdate.transmitProgress(-3)
        compare(d.progress.value, 0)
        // A failure before any progress stops the busy indicator too.
        d.show()
        FirmwareUpdate.transStatus(false)
        compare(visibleParts(d), ["status"])
        compare(d.statusText.text, "Firmware upgrade failed!")
    }

    // Each text of the firmware dialog in both languages: English, and the
    // Chinese exactly as it has always read (punctuation included).
    function test_firmware_texts_data() {
        return [
            { tag: "en", language: "English",
              check: "Checking for new firmware…", download: "Downloading the firmware…",
              offer: "A new firmware version was found. Do you want to upgrade?",
              versions: "Current version: 1.02    New version: 1.3",
              description: "Firmware name:Q7X_V1.3.bin\nVersion:1.3",
              upgrade: "Upgrade firmware", progress: "Sending the firmware to the keyboard: 37%",
              newest: "This is already the newest firmware; no upgrade is needed!",
              success: "Firmware upgrade succeeded!", failure: "Firmware upgrade failed!" },
            { tag: "zh", language: "简体中文",
              check: "正在检查新固件…", download: "正在下载固件…",
              offer: "检测到新的固件版本，请确认是否升级",
              versions: "当前版本：1.02    新版本：1.3",
              description: "固件名称:Q7X_V1.3.bin\n版本号:1.3",
              upgrade: "固件升级", progress: "正在向键盘发送固件：37%",
              newest: "当前已是最新版本，无需升级!",
              success: "固件升级成功！", failure: "固件升级失败！" }
        ]
    }

    function test_firmware_texts(data) {
        verify(Tran.catalogueLoaded())
        Tran.reTrans(data.language)
        var d = create("modular/ProgressDialog.qml")
        Ftp.showDialog()
        tryCompare(d, "opened", true)
        // The busy indicator says what it waits for.
        verify(d.busyText.visible)
        compare(d.busyText.text, data.check)
        // The keyboard runs firmware 1, 0, 2 (the version text 1.02).
        DataMgt.receiveBytes({"3": 1, "4": 0, "5": 2})
        Ftp.info("Q7X_V1.3.bin", 1.3, [])
        verify(!d.busyText.visible)
        compare(d.offerText.text, data.offer)
        verify(d.versionsText.visible)
        compare(d.versionsText.text, data.versions)
        compare(d.description.text, data.description)
        compare(d.upgradeButton.text, data.upgrade)
        mouseClick(d.upgradeButton)
        compare(d.busyText.text, data.download)
        FirmwareUpdate.transmitProgress(37)
        verify(d.progressText.visible)
        compare(d.progressText.text, data.progress)
        FirmwareUpdate.transStatus(true)
        verify(!d.progressText.visible)
        compare(d.statusText.text, data.success)
        FirmwareUpdate.transStatus(false)
        compare(d.statusText.text, data.failure)
        Ftp.info("null", 0, [])
        compare(d.statusText.text, data.newest)
        Tran.reTrans("English")
    }

    // Every failure ends the waiting with its message; retry repeats what
    // failed (the check, or the download and the installation after it).
    function test_firmware_failures_data() {
        return [
            { tag: "check", fire: function() { Ftp.checkFailed("server down") },
              message: "server down", retry: "checkOnLineFirmware" },
            { tag: "download", fire: function() { Ftp.downloadFailed("incomplete") },
              message: "incomplete", retry: "downloadFir" },
            { tag: "port", fire: function() { FirmwareUpdate.updateFailed("no permission") },
              message: "no permission", retry: "downloadFir" },
            { tag: "transfer", fire: function() {
                    FirmwareUpdate.transmitProgress(40)
                    FirmwareUpdate.transStatus(false)
                    FirmwareUpdate.updateFailed("no answer") },
              message: "no answer", retry: "downloadFir" },
            { tag: "refused", fire: function() { FirmwareUpdate.updateRefused("already running") },
              message: "already running", retry: "" }
        ]
    }

    function test_firmware_failures(data) {
        var d = create("modular/ProgressDialog.qml")
        Ftp.showDialog()
        tryCompare(d, "opened", true)
        compare(visibleParts(d), ["busy"])
        data.fire()
        compare(d.statusText.text, data.message)
        compare(d.progress.value, 0)
        if (data.retry === "") {
            compare(visibleParts(d), ["status"])
            return
        }
        compare(visibleParts(d), ["retry", "status"])
        compare(d.retryButton.text, "Try again")
        mouseClick(d.retryButton)
        compare(Ftp.calls, [data.retry])
        compare(visibleParts(d), ["busy"])
        // The answer to the retry is shown as usual.
        Ftp.info("Q7X_V1.2.bin", 1.2, [])
        compare(visibleParts(d), ["offer", "description", "upgrade"])
    }

    function test_firmware_failure_reopens_closed_dialog() {
        var d = create("modular/ProgressDialog.qml")
        Ftp.showDialog()
        tryCompare(d, "opened", true)
        mouseClick(d.closeButton)
        tryCompare(d, "visible", false)
        // The download finished behind the closed dialog and the port failed.
        FirmwareUpdate.updateFailed("loader not found")
        tryCompare(d, "opened", true)
        compare(visibleParts(d), ["retry", "status"])
        compare(d.statusText.text, "loader not found")
    }

    function test_firmware_retry_in_chinese() {
        var d = create("modular/ProgressDialog.qml")
        verify(Tran.catalogueLoaded())
        Tran.reTrans("简体中文")
        Ftp.checkFailed("x")
        compare(d.retryButton.text, "重试")
        Tran.reTrans("English")
        compare(d.retryButton.text, "Try again")
    }

    function test_firmware_dialog_scales() {
        var d = create("modular/ProgressDialog.qml")
        var h = create("modular/HelpDialog.qml")
        MainLogic.scalingRate = 2
        MainLogic.screenChanged()
        compare(d.width, 716)
        compare(d.height, 432)
        compare(h.width, 716)
        compare(d.upgradeButton.x, 286)
        MainLogic.scalingRate = 1
        MainLogic.screenChanged()
        compare(h.height, 216)
    }
}
}
}
