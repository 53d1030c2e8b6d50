import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.2

// Pictures of the filled editor area and of every dialog open, saved as
// shot_*.png in the working directory (the test's build folder) for a person
// to look at. Each picture is also checked for a few telling pixels.
Item {
Window {
    id: host
    width: 1200
    height: 676
    visible: true
    color: "#E5E5E5"

TestCase {
    id: tc
    name: "PageShots"
    when: windowShown

    function create(path, props) {
        var c = Qt.createComponent("qrc:/qml/" + path)
        if (c.status !== Component.Ready)
            fail(path + ": " + c.errorString())
        var obj = createTemporaryObject(c, host.contentItem, props || {})
        verify(obj !== null, path)
        return obj
    }

    function shoot(name) {
        waitForRendering(host.contentItem)
        wait(50)
        var img = grabImage(host.contentItem)
        img.save("shot_" + name + ".png")
        return img
    }

    function init() {
        if (Qt.platform.pluginName !== "xcb")
            skip("pictures need an X display (xvfb-run with QT_QPA_PLATFORM=xcb)")
        MainLogic.scalingRate = 1.0
        DataMgt.initDefaultData()
    }

    function test_editor_area() {
        var page = create("modular/MainPage.qml", { x: 45, y: 99 })
        DataMgt.initDefaultData()
        var img = shoot("editor_area")
        // The pad frame's grey ring shows around the first pad.
        var pad = page.padSwipe.itemAt(0).padAt(0)
        var p = pad.mapToItem(host.contentItem, 1, 59)
        verify(Qt.colorEqual(img.pixel(p.x, p.y), "#a6a6a6") || Qt.colorEqual(img.pixel(p.x, p.y), "#282a2b"),
               String(img.pixel(p.x, p.y)))
    }

    function test_whole_window_scaled() {
        MainLogic.scalingRate = 1.5
        var c = Qt.createComponent("qrc:/qml/main.qml")
        if (c.status !== Component.Ready)
            fail("main.qml: " + c.errorString())
        var win = c.createObject(null)
        verify(win !== null)
        try {
            DataMgt.initDefaultData()
            waitForRendering(win.contentItem)
            wait(50)
            var img = grabImage(win.contentItem)
            img.save("shot_window_1.5.png")
            compare(img.width, 1800)
            // The first pad's frame scaled with the rest.
            var pad = win.mainPage.padSwipe.itemAt(0).padAt(0)
            compare(pad.width, 118 * 1.5)
            var p = pad.mapToItem(win.contentItem, 1.5, 90)
            verify(Qt.colorEqual(img.pixel(p.x, p.y), "#a6a6a6") || Qt.colorEqual(img.pixel(p.x, p.y), "#282a2b"),
                   String(img.pixel(p.x, p.y)))
        } finally {
            win.destroy()
            MainLogic.scalingRate = 1.0
        }
    }

    function test_dialogs_open() {
        var page = create("modular/MainPage.qml", { x: 45, y: 99 })
        DataMgt.initDefaultData()

        var populate = create("modular/FunctionDialog.qml")
        populate.show()
        tryCompare(populate, "opened", true)
        populate.padNote.checkBox.checked = true
        populate.knobCc.checkBox.checked = true
        var img = shoot("dialog_populate")
        var c = populate.contentItem.mapToItem(host.contentItem, 5, 30)
        verify(Qt.colorEqual(img.pixel(c.x, c.y), "#e5e5e5"), String(img.pixel(c.x, c.y)))
        populate.close()
        tryCompare(populate, "visible", false)

        var colour = create("modular/ColorDialog.qml")
        colour.show(3, page.padSwipe.itemAt(0).padAt(7).swatch, "#3366cc")
        tryCompare(colour, "opened", true)
        waitForRendering(colour.wheel)
        colour.wheel.mouseMove(250, 149)
        img = shoot("dialog_colour")
        var r = colour.wheel.mapToItem(host.contentItem, 292, 149)
        verify(Qt.colorEqual(img.pixel(r.x, r.y), "#ff0000"), String(img.pixel(r.x, r.y)))
        colour.close()
        tryCompare(colour, "visible", false)

        var about = create("modular/HelpDialog.qml")
        about.show()
        tryCompare(about, "opened", true)
        MainLogic.s_snNum("Q7X2026000123")
        DataMgt.s_updateDate()
        shoot("dialog_about_en")
        about.linkState = "chineseHelp"
        shoot("dialog_about_zh")
        about.close()
        tryCompare(about, "visible", false)

        var firmware = create("modular/ProgressDialog.qml")
        firmware.show()
        tryCompare(firmware, "opened", true)
        shoot("dialog_firmware_wait")
        Ftp.info("Q7X_V1.03.bin", 1.03, ["Pads answer faster", "Arpeggiator swing fixed"])
        shoot("dialog_firmware_offer")
        FirmwareUpdate.transmitProgress(60)
        shoot("dialog_firmware_progress")
        FirmwareUpdate.transStatus(true)
        shoot("dialog_firmware_done")
        // The longest failure message, with the retry button below it.
        FirmwareUpdate.updateFailed("Permission denied for the serial port /dev/ttyACM0. Your user "
            + "account needs access to it: add it to the group \"dialout\" that owns the device, "
            + "log in again and try again.")
        shoot("dialog_firmware_failed")
        firmware.close()
    }
}
}
}
