import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 2.15
import "BaseControl"
import "component"
import "component/menuBar"
import "modular"

// The program's window: frameless, drawn at 1200 x 676 design pixels and
// scaled by the screen's scaling rate.
Window {
    id: mainWindow
    readonly property int designWidth: 1200
    readonly property int designHeight: 676
    property alias scaler: globalResize
    property alias menuBarItem: myMenuBar
    property alias mainPage: mainPage
    property alias hint: hintState
    // The pop-ups opened on request (see ensureDialogs); null until made.
    property var functionDialog: null
    property var colorDialog: null
    property var helpDialog: null
    property var noticeDialog: null
    property alias progressDialog: progressDialog
    // The About dialog's link area follows the interface language.
    property string helpLinkState: "englishHelp"

    title: "VornelRambaKEYQ7Xwidonw"
    width: designWidth
    height: designHeight
    // Shown once it has its size for the screen's rate, so that it never
    // appears at design size first.
    visible: false
    flags: Qt.Window | Qt.FramelessWindowHint | Qt.WindowMinimizeButtonHint
    color: "#00000000"

    function scalingRate() {
        var r = Number(MainLogic.getScalingRate())
        return (isFinite(r) && r > 0) ? r : 1.0
    }

    // Lays the window out for a scaling rate: the content from its recorded
    // design geometry and the window's own size, so that the window follows
    // a move to a screen of another density.
    function applyScalingRate(rate) {
        mainWindow.width = Math.round(designWidth * rate)
        mainWindow.height = Math.round(designHeight * rate)
        globalResize.verticalRatio = rate
        globalResize.horizontalRatio = rate
    }

    function showResult(isSend, isSuccess) {
        var text
        if (isSuccess)
            text = isSend ? qsTr("Succeeded in sending data") : qsTr("Getting data succeeded")
        else
            text = isSend ? qsTr("Failed to send data") : qsTr("Failed to get data")
        hintState.popup(text)
    }

    // Ends the editing of the field that has the keyboard focus, so that its
    // value is in the store before an action reads the store.
    function commitEdits() {
        var item = mainWindow.activeFocusItem
        if (item && item !== mainWindow.contentItem)
            item.focus = false
    }

    function applyLanguageState(name) {
        helpLinkState = (name === "简体中文") ? "chineseHelp" : "englishHelp"
    }

    // Makes the pop-ups that open only on request. They are not needed for
    // the first frame, so the window makes them once that frame is on screen
    // (about 40 ms of work it would otherwise wait for); whatever opens one
    // calls this first, so one asked for earlier is made at once.
    function ensureDialogs() {
        if (functionDialog)
            return
        functionDialog = functionDialogComponent.createObject(mainWindow)
        colorDialog = colorDialogComponent.createObject(mainWindow)
        helpDialog = helpDialogComponent.createObject(mainWindow)
        noticeDialog = noticeDialogComponent.createObject(mainWindow)
    }

    Rectangle {
        id: background
        anchors.fill: parent
        color: "#E5E5E5"
        radius: CusConfig.radiuSize1
        border.width: 1
        border.color: "#000000"
    }

    // The product's name, ending flush with the editor area's right edge.
    Text {
        objectName: "productLabel"
        x: 855
        y: 64
        width: 300
        height: 32
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        text: "RambaKEY Q7X"
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        font.family: CusConfig.fontFamily
        font.pixelSize: 24
        font.bold: true
        color: "black"
    }

    MainPage {
        id: mainPage
        x: 45
        y: 99
        width: 1110
        height: 548
    }

    MyMenuBar {
        id: myMenuBar
        x: 0
        y: 0
        window: mainWindow
        functionDialog: mainWindow.functionDialog
        helpDialog: mainWindow.helpDialog
        noticeDialog: mainWindow.noticeDialog
    }

    HintState {
        id: hintState
        objectName: "hintState"
        anchors.horizontalCenter: parent.horizontalCenter
        // Below the editor area's frames, above the window's bottom edge.
        y: 612
    }

    // Both ratios start from the screen's scaling rate; nothing is laid out
    // before begin() has recorded the design geometry at completion.
    AutoResize {
        id: globalResize
        verticalRatio: mainWindow.scalingRate()
        horizontalRatio: mainWindow.scalingRate()
    }

    // Pop-ups. The firmware dialog opens by itself on news from the firmware
    // server or the loader and exists from the start; the others are made by
    // ensureDialogs.
    ProgressDialog { id: progressDialog }
    Component {
        id: functionDialogComponent
        FunctionDialog {}
    }
    Component {
        id: colorDialogComponent
        ColorDialog {}
    }
    Component {
        id: helpDialogComponent
        HelpDialog {
            linkState: mainWindow.helpLinkState
            // Placeholder addresses of the maker's support channels; whoever
            // ships the program points them at the real pages.
            supportUrl: "https://support.example.invalid/rambakey-q7x"
            chineseSiteUrl: "https://www.example.invalid/zh-cn/"
            videoChannelUrl: "https://video.example.invalid/rambakey"
        }
    }
    Component {
        id: noticeDialogComponent
        NoticeDialog {}
    }
    Connections {
        target: mainWindow
        enabled: mainWindow.functionDialog === null
        function onFrameSwapped() { mainWindow.ensureDialogs() }
    }

    // Quitting (title-bar close, Quit, Ctrl+Q) asks first when changes would
    // be lost.
    onClosing: function(close) {
        commitEdits()
        if (typeof MainLogic.confirmClose === "function" && !MainLogic.confirmClose())
            close.accepted = false
    }

    // Redo's second key sequence (the first is on the Edit menu's entry).
    Shortcut {
        sequence: "Ctrl+Y"
        onActivated: myMenuBar.redo()
    }

    Connections {
        target: MainLogic
        function onShowHint(isSend, isSuccess) {
            mainWindow.showResult(isSend, isSuccess)
        }
        function onS_saved(name) {
            hintState.popup(qsTr("Saved %1").arg(name))
        }
        function onScreenChanged() {
            mainWindow.applyScalingRate(mainWindow.scalingRate())
        }
    }
    Connections {
        target: Tran
        // The signal carries the language now shown; the stored choice may
        // not be written yet when the menu switches language.
        function onCurrentLanguageChanged(currentLanguage) {
            mainWindow.applyLanguageState(currentLanguage)
        }
    }

    Component.onCompleted: {
        globalResize.begin()
        mainWindow.width = Math.round(designWidth * globalResize.horizontalRatio)
        mainWindow.height = Math.round(designHeight * globalResize.verticalRatio)
        globalResize.resize()
        var language = Tran.getLanguage()
        Tran.reTrans(language)
        applyLanguageState(language)

        // Open where the window was last time with this screen layout (kept
        // inside the visible area), else centred on the screen, and let the
        // controller know where the window is from the start.
        if (typeof MainLogic.windowPosition === "function") {
            var at = MainLogic.windowPosition(mainWindow.width, mainWindow.height)
            mainWindow.x = at.x
            mainWindow.y = at.y
        } else {
            mainWindow.x = Screen.virtualX + Math.max(0, Math.round((Screen.width - mainWindow.width) / 2))
            mainWindow.y = Screen.virtualY + Math.max(0, Math.round((Screen.height - mainWindow.height) / 2))
        }
        mainWindow.show()
        MainLogic.updateProgra(mainWindow.x, mainWindow.y)
    }
}
