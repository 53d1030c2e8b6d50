import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 2.15
import "../../BaseControl"

// Title strip (logo, title, minimise and close, window drag) and the menu bar.
Item {
    id: root
    // The window this bar moves, minimises and closes.
    property var window: Window.window
    // Dialogs opened from the menus; set by the window.
    property var functionDialog: null
    property var helpDialog: null
    // Where short messages go (NoticeDialog); set by the window.
    property var noticeDialog: null
    // The window makes its dialogs shortly after it first shows; asks it to
    // make them now if that has not happened yet.
    function dialogsNeeded() {
        if (root.window && typeof root.window.ensureDialogs === "function")
            root.window.ensureDialogs()
    }
    // Where the drag began, in the drag area's coordinates.
    property point pressPoint: Qt.point(0, 0)
    property alias menuBar: menuBar
    property alias dragArea: dragArea

    width: 1200
    height: 24

    function scalingRate() {
        var r = (typeof MainLogic !== "undefined" && MainLogic) ? Number(MainLogic.getScalingRate()) : 1.0
        return (isFinite(r) && r > 0) ? r : 1.0
    }

    // One step of a window drag: moves the window by the pointer's offset from
    // the press point and tells the controller where the window now is. A step
    // without movement does nothing.
    function dragStep(px, py) {
        var dx = px - pressPoint.x
        var dy = py - pressPoint.y
        if (dx === 0 && dy === 0)
            return false
        if (!root.window)
            return false
        root.window.x += dx
        root.window.y += dy
        MainLogic.updateProgra(root.window.x, root.window.y)
        return true
    }

    // Where the user guide lies: beside the program, as a PDF or else as HTML.
    // The controller knows the program's folder and whether the guide is there
    // (userGuideUrl, an empty answer for no guide); without that, the folder is
    // taken from the path the program was started by.
    function userGuideUrl() {
        if (typeof MainLogic.userGuideUrl === "function")
            return String(MainLogic.userGuideUrl() || "")
        var name = "VornelRambaKEYQ7X.pdf"
        var args = Qt.application.arguments
        var exe = (args && args.length > 0) ? String(args[0]) : ""
        var slash = exe.lastIndexOf("/")
        if (slash < 0)
            return "file:" + name
        var dir = exe.substring(0, slash).split("/").map(encodeURIComponent).join("/")
        return (exe.charAt(0) === "/" ? "file://" : "file:") + dir + "/" + name
    }

    // Opens the guide with the desktop's viewer. A guide that is missing, or
    // that nothing on this desktop can show, is reported instead of ignored.
    // Returns true when the guide was handed to a viewer.
    function openUserGuide() {
        var url = userGuideUrl()
        if (url.length > 0 && Qt.openUrlExternally(url))
            return true
        var message = url.length > 0
                ? qsTr("No program to show the user guide was found. The guide is here:\n%1")
                  .arg(decodeURIComponent(url.replace(/^file:\/\//, "")))
                : qsTr("The user guide was not found. It belongs beside the program as VornelRambaKEYQ7X.pdf or VornelRambaKEYQ7X.html.")
        root.dialogsNeeded()
        if (root.noticeDialog)
            root.noticeDialog.notify(qsTr("User guide"), message)
        return false
    }

    // Runs what a menu item asked for once the menu has closed and the window
    // has been drawn without it, so that a file dialog or message box opened
    // by the action does not show the menu still open behind it.
    function afterMenu(work) {
        var w = root.window
        if (w && typeof w.frameSwapped !== "undefined" && w.visible) {
            var done = false
            var run = function() {
                if (done)
                    return
                done = true
                w.frameSwapped.disconnect(run)
                work()
            }
            w.frameSwapped.connect(run)
            if (typeof w.update === "function")
                w.update()
            // A window that draws nothing more (minimised, covered) still runs it.
            fallback.work = run
            fallback.restart()
        } else {
            Qt.callLater(work)
        }
    }
    Timer {
        id: fallback
        property var work: null
        interval: 250
        onTriggered: if (work) { var w = work; work = null; w() }
    }

    // Runs an action of the menus after the field being edited has been
    // committed, so that the action sees what the screen shows.
    function run(action) {
        if (root.window && typeof root.window.commitEdits === "function")
            root.window.commitEdits()
        afterMenu(action)
    }

    // "NAME - Vornel RambaKEY Q7X", NAME being the preset's file name or
    // "Untitled", followed by " *" while it differs from the saved preset.
    function documentTitle() {
        var base = "Vornel RambaKEY Q7X"
        if (typeof Document === "undefined" || !Document)
            return base
        var name = Document.fileName !== "" ? Document.fileName : qsTr("Untitled")
        return name + (Document.modified ? " *" : "") + " - " + base
    }

    function hasHistory() {
        return typeof History !== "undefined" && History !== null
    }
    function undoText() {
        if (!hasHistory() || History.undoName === "")
            return qsTr("Undo")
        return qsTr("Undo %1").arg(qsTranslate("EditHistory", History.undoName))
    }
    function redoText() {
        if (!hasHistory() || History.redoName === "")
            return qsTr("Redo")
        return qsTr("Redo %1").arg(qsTranslate("EditHistory", History.redoName))
    }
    function undo() { if (hasHistory()) run(function() { History.undo() }) }
    function redo() { if (hasHistory()) run(function() { History.redo() }) }

    function recentPresets() {
        return (typeof MainLogic.recentPresets === "function") ? MainLogic.recentPresets() : []
    }

    function chooseLanguage(name) {
        Tran.reTrans(name)
        Tran.setLanguage(name)
        // A click toggles a checkable item; the tick follows the language
        // actually in use instead.
        chineseAction.checked = Qt.binding(function() { return Tran.currentLanguage === "简体中文" })
        englishAction.checked = Qt.binding(function() { return Tran.currentLanguage !== "简体中文" })
    }

    Rectangle {
        id: titleStrip
        x: 1
        y: 1
        width: 1198
        height: 36
        color: CusConfig.colorTitle
        radius: CusConfig.radiuSize1
        // Dragging it moves the window.
        Accessible.role: Accessible.TitleBar
        Accessible.name: qsTr("Title bar")

        // Squares off the lower corners so only the top ones are round.
        Rectangle {
            y: 18
            width: parent.width
            height: 18
            color: CusConfig.colorTitle
        }

        MouseArea {
            id: dragArea
            x: 0
            y: 0
            width: 1098
            height: 36
            acceptedButtons: Qt.LeftButton
            // True while the compositor moves the window itself.
            property bool systemMove: false
            onPressed: {
                cursorShape = Qt.SizeAllCursor
                root.pressPoint = Qt.point(mouse.x, mouse.y)
                // Wayland does not let a client place its own window; the
                // compositor moves it instead.
                systemMove = Qt.platform.pluginName === "wayland" && root.window
                             && typeof root.window.startSystemMove === "function"
                             && root.window.startSystemMove()
            }
            onPositionChanged: {
                if (pressed && !systemMove)
                    root.dragStep(mouse.x, mouse.y)
            }
            onReleased: { cursorShape = Qt.ArrowCursor; systemMove = false }
            onCanceled: { cursorShape = Qt.ArrowCursor; systemMove = false }
        }

        Image {
            x: 16
            y: 7
            width: 22
            height: 22
            source: "qrc:/img/logo.png"
        }
        Text {
            objectName: "documentTitle"
            x: 50
            y: 11
            text: root.documentTitle()
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            color: CusConfig.colorTitleText
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
        }
        CusButton_Image {
            id: minimizeButton
            objectName: "minimizeButton"
            // 69 from the strip's right edge; a plain x so that it scales.
            x: 1198 - 69 - 24
            width: 24
            height: 36
            btnImgNormal: "qrc:/img/icon_minimize_default.png"
            btnImgHovered: "qrc:/img/icon_minimize_click.png"
            btnImgPressed: "qrc:/img/icon_minimize_click.png"
            Accessible.name: qsTr("Minimise window")
            tip: Accessible.name
            onClicked: if (root.window) root.window.showMinimized()
        }
        CusButton_Image {
            id: closeButton
            objectName: "closeButton"
            x: 1198 - 20 - 24
            width: 24
            height: 36
            btnImgNormal: "qrc:/img/icon_close_default.png"
            btnImgHovered: "qrc:/img/icon_close_click.png"
            btnImgPressed: "qrc:/img/icon_close_click.png"
            Accessible.name: qsTr("Close window")
            tip: Accessible.name
            onClicked: if (root.window) root.window.close()
        }
    }

    // The menus take a new scaling rate while closed too, so that one opened
    // after a change of screen does not grow while it shows.
    Connections {
        target: (typeof MainLogic !== "undefined") ? MainLogic : null
        ignoreUnknownSignals: true
        function onScreenChanged() {
            var r = root.scalingRate()
            fileMenu.rate = r
            editMenu.rate = r
            populateMenu.rate = r
            helpMenu.rate = r
        }
    }

    MenuBar {
        id: menuBar
        x: 1
        y: 36
        width: 1198
        height: 24
        delegate: GreenMenuBar {}
        background: GreenMenuBarBg {}
        Accessible.name: qsTr("Menu bar")

        Menu {
            id: fileMenu
            property real rate: root.scalingRate()
            onAboutToShow: rate = root.scalingRate()
            title: qsTr("File")
            delegate: GreenMenuItem {}
            background: Rectangle {
                implicitWidth: 200 * fileMenu.rate
                color: CusConfig.colorMenbar
                border.width: 1
                border.color: "#a8a8a8"
            }
            Action {
                objectName: "openAction"
                text: qsTr("Open")
                shortcut: StandardKey.Open
                onTriggered: root.run(function() { MainLogic.openFile() })
            }
            Action {
                objectName: "saveAction"
                text: qsTr("Save")
                shortcut: StandardKey.Save
                onTriggered: root.run(function() { MainLogic.save() })
            }
            Action {
                objectName: "saveAsAction"
                text: qsTr("Save As")
                shortcut: StandardKey.SaveAs
                onTriggered: root.run(function() { MainLogic.saveAs() })
            }
            MenuLine {}
            Action {
                objectName: "sendAction"
                text: qsTr("Send To Hardware")
                onTriggered: root.run(function() { MainLogic.sendData() })
            }
            Action {
                objectName: "getAction"
                text: qsTr("Get From Hardware")
                onTriggered: root.run(function() { MainLogic.getData() })
            }
            MenuLine {}
            Action {
                objectName: "restoreAction"
                text: qsTr("Restore The Default")
                onTriggered: root.run(function() {
                    if (typeof MainLogic.restoreDefault === "function")
                        MainLogic.restoreDefault()
                    else
                        DataMgt.initDefaultData()
                })
            }
            Menu {
                id: recentMenu
                objectName: "recentMenu"
                title: qsTr("Recent Presets")
                property real rate: fileMenu.rate
                property var paths: []
                onAboutToShow: paths = root.recentPresets()
                delegate: GreenMenuItem {}
                background: MenuBackground { implicitWidth: 300 * recentMenu.rate }
                Instantiator {
                    model: recentMenu.paths
                    delegate: GreenMenuItem {
                        text: String(modelData).replace(/^.*\//, "")
                        onTriggered: root.run(function() { MainLogic.openPreset(modelData) })
                    }
                    onObjectAdded: recentMenu.insertItem(index, object)
                    onObjectRemoved: recentMenu.removeItem(object)
                }
            }
            MenuLine {}
            Action {
                objectName: "quitAction"
                text: qsTr("Quit")
                shortcut: "Ctrl+Q"
                onTriggered: if (root.window) root.window.close()
            }
        }
        Menu {
            id: editMenu
            property real rate: root.scalingRate()
            onAboutToShow: rate = root.scalingRate()
            title: qsTr("Edit")
            delegate: GreenMenuItem {}
            background: MenuBackground { implicitWidth: 240 * editMenu.rate }
            Action {
                objectName: "undoAction"
                text: root.undoText()
                enabled: root.hasHistory() && History.canUndo
                shortcut: "Ctrl+Z"
                onTriggered: root.undo()
            }
            Action {
                objectName: "redoAction"
                text: root.redoText()
                enabled: root.hasHistory() && History.canRedo
                shortcut: "Ctrl+Shift+Z"
                onTriggered: root.redo()
            }
        }
        Menu {
            id: populateMenu
            property real rate: root.scalingRate()
            onAboutToShow: rate = root.scalingRate()
            title: qsTr("Auto Populate")
            delegate: GreenMenuItem {}
            background: MenuBackground { implicitWidth: 200 * populateMenu.rate }
            Action {
                objectName: "autoPopulateAction"
                text: qsTr("Auto Populate")
                onTriggered: { root.dialogsNeeded(); if (root.functionDialog) root.functionDialog.show() }
            }
        }
        Menu {
            id: helpMenu
            property real rate: root.scalingRate()
            onAboutToShow: rate = root.scalingRate()
            title: qsTr("Help")
            delegate: GreenMenuItem {}
            background: MenuBackground { implicitWidth: 200 * helpMenu.rate }
            Action {
                objectName: "userGuideAction"
                text: qsTr("Open Userguide   Ctrl+H")
                shortcut: "Ctrl+H"
                onTriggered: root.openUserGuide()
            }
            Action {
                objectName: "aboutAction"
                text: qsTr("About")
                onTriggered: { root.dialogsNeeded(); if (root.helpDialog) root.helpDialog.show() }
            }
            Menu {
                id: languageMenu
                objectName: "languageMenu"
                property real rate: root.scalingRate()
                onAboutToShow: rate = root.scalingRate()
                title: qsTr("Language")
                delegate: GreenMenuItem {}
                background: MenuBackground { implicitWidth: 140 * languageMenu.rate }
                Action {
                    id: chineseAction
                    objectName: "chineseAction"
                    text: "简体中文"
                    checkable: true
                    checked: Tran.currentLanguage === "简体中文"
                    onTriggered: root.chooseLanguage("简体中文")
                }
                Action {
                    id: englishAction
                    objectName: "englishAction"
                    text: "English"
                    checkable: true
                    checked: Tran.currentLanguage !== "简体中文"
                    onTriggered: root.chooseLanguage("English")
                }
            }
        }
    }
}
