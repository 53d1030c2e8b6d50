import QtQuick 2.15
import QtTest 1.2

// The whole window with the stand-in back end.
TestCase {
    id: tc
    name: "MainWindow"

    property var win: null

    function findChild(item, name) {
        if (!item)
            return null
        if (item.objectName === name)
            return item
        var kids = item.children
        for (var i = 0; i < kids.length; ++i) {
            var found = findChild(kids[i], name)
            if (found)
                return found
        }
        return null
    }

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
        MainLogic.clearCalls()
        Tran.clearCalls()
        Tran.storedLanguage = "English"
        Tran.reTrans("English")
        Tran.clearCalls()
        win = createWindow()
        waitForRendering(win.contentItem)
    }

    function cleanup() {
        if (win) {
            win.destroy()
            win = null
        }
        wait(0)
    }

    function test_startUp() {
        compare(win.title, "VornelRambaKEYQ7Xwidonw")
        compare(win.width, 1200)
        compare(win.height, 676)
        compare(Tran.calls, ["getLanguage", "reTrans English"])
    }
}
