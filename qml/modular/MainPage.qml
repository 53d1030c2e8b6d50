import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import "../BaseControl"
import "../component"

// The editor area: the panel picture with every section's editor, the bank
// tabs, the send and get buttons, the connection status and the note-name
// label over the keyboard picture.
Item {
    id: root
    property alias connectState: connectState
    property alias noteLabel: noteLabel
    property alias padSwipe: padSwipe
    property alias knobSwipe: knobSwipe
    property alias padTabs: padTabs
    property alias knobTabs: knobTabs

    width: 1110
    height: 548

    // Counts colour changes of the pads, so that the keyboard drawing's pads
    // follow them.
    property int padColorTick: 0
    function padColor(gridIndex, bank, tick) {
        var page = padSwipe.itemAt(bank)
        var pad = page ? page.padAt(gridIndex) : null
        return pad ? pad.swatch.color : "transparent"
    }

    NoteDataModel { id: noteNames }

    // A bank view that changes size (a change of screen) shows its current
    // page at once instead of sliding back to it from the old position. Run
    // when a page has taken its new width, which is where the next one starts.
    function commitEdits() {
        var w = root.Window.window
        if (w && typeof w.commitEdits === "function")
            w.commitEdits()
    }

    // Whether the editor's copy is what the keyboard holds; empty while no
    // keyboard is connected or nothing was exchanged with it yet.
    function syncText() {
        if (typeof Document === "undefined" || !Document || !connectState.connected || !Document.keyboardKnown)
            return ""
        return Document.inSync ? qsTr("In sync with the keyboard") : qsTr("Changed since last send")
    }

    function keepPage(view) {
        var list = view.contentItem
        if (!list || typeof list.positionViewAtIndex !== "function" || view.currentIndex < 0)
            return
        list.forceLayout()
        list.positionViewAtIndex(view.currentIndex, ListView.Beginning)
    }

    Connections {
        target: MainLogic
        function onDevStateChanged(state) {
            connectState.state = state ? "connect" : ""
        }
        function onPadNumberChanged(num) {
            var name = noteNames.noteName(num)
            if (name !== "")
                noteLabel.text = name
        }
    }

    CusImage {
        objectName: "panelPicture"
        x: 0
        y: 0
        // Decoded at the size it is drawn at on this screen, not at the
        // picture's own (twice the design size, 10 MB in memory and again as
        // a texture). Up to the design density the picture drawn at that
        // size is read as it is; denser screens get the double-size one
        // scaled down. Qt reads an "@2x" file at twice the size asked for.
        readonly property bool designDensity: width * Screen.devicePixelRatio <= 1110
        width: 1110
        height: 548
        sourceSize: designDensity
                    ? Qt.size(Math.ceil(width * Screen.devicePixelRatio),
                              Math.ceil(height * Screen.devicePixelRatio))
                    : Qt.size(Math.ceil(width * Screen.devicePixelRatio / 2),
                              Math.ceil(height * Screen.devicePixelRatio / 2))
        source: designDensity ? "qrc:/img/bg.png" : "qrc:/img/bg@2x.png"
    }

    BarsPage {
        x: 23
        y: 70
    }

    // Pads
    Rectangle {
        x: 123
        y: 70
        width: 500
        height: 282
        color: "transparent"
        border.width: 1
        border.color: "#707070"
        radius: CusConfig.radiuSize1

        SwipeView {
            id: padSwipe
            objectName: "padSwipe"
            x: 8
            y: 19
            width: 484
            height: 282
            clip: true
            spacing: 2
            currentIndex: padTabs.currentIndex
            PadPage { bank: 0; onWidthChanged: root.keepPage(padSwipe); onPadColorChanged: ++root.padColorTick }
            PadPage { bank: 1; onWidthChanged: root.keepPage(padSwipe); onPadColorChanged: ++root.padColorTick }
        }
        CusTabBar {
            id: padTabs
            objectName: "padTabs"
            x: 24
            y: -19
            currentIndex: padSwipe.currentIndex
            text1: qsTr("BANK A")
            text2: qsTr("BANK B")
            accessibleName: qsTr("Pad bank")
            tip1: qsTr("Show the pads of BANK A (pads 1 to 8)")
            tip2: qsTr("Show the pads of BANK B (pads 9 to 16)")
            text3: ""
            itemSmallWidth: 71
            itemWidth: 71
            itemHidth: 16
            fontSize: 10
            btnSmallImgNormal: "qrc:/img/titleBtn@2x.png"
            btnSmallImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            btnImgNormal: "qrc:/img/titleBtn@2x.png"
            btnImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            checkedTextColor: "#ffffff"
        }
    }

    // Knobs
    Rectangle {
        x: 628
        y: 70
        width: 460
        height: 282
        color: "transparent"
        border.width: 1
        border.color: "#707070"
        radius: CusConfig.radiuSize1

        SwipeView {
            id: knobSwipe
            objectName: "knobSwipe"
            x: 8
            y: 9
            width: 440
            height: 282
            clip: true
            // A small gap between the banks: at rates that put the view's
            // edge on half a pixel, the next bank's first column would
            // otherwise show as a line along that edge.
            spacing: 2
            currentIndex: knobTabs.currentIndex
            KnobPage { bank: 0; onWidthChanged: root.keepPage(knobSwipe) }
            KnobPage { bank: 1; onWidthChanged: root.keepPage(knobSwipe) }
        }
        CusTabBar {
            id: knobTabs
            objectName: "knobTabs"
            x: 21
            y: -19
            currentIndex: knobSwipe.currentIndex
            text1: qsTr("BANK A")
            text2: qsTr("BANK B")
            accessibleName: qsTr("Knob bank")
            tip1: qsTr("Show the knobs of BANK A (knobs 1 to 8)")
            tip2: qsTr("Show the knobs of BANK B (knobs 9 to 16)")
            text3: ""
            itemSmallWidth: 71
            itemWidth: 71
            itemHidth: 16
            fontSize: 10
            btnSmallImgNormal: "qrc:/img/titleBtn@2x.png"
            btnSmallImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            btnImgNormal: "qrc:/img/titleBtn@2x.png"
            btnImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            checkedTextColor: "#ffffff"
        }
    }

    // Transport
    Rectangle {
        x: 123
        y: 363
        width: 500
        height: 152
        color: "transparent"
        border.width: 1
        border.color: "#707070"
        radius: CusConfig.radiuSize1

        WalkingBeltPage {
            x: 8
            y: 17
            width: 500
            height: 152
        }
    }

    Arpegiator {
        x: 628
        y: 363
    }

    Function {
        x: 628
        y: 443
    }

    CusImage {
        objectName: "keyboardPicture"
        x: 862
        y: 363
        source: "qrc:/img/qin@2x.png"
    }

    // The pads of the drawing light in the colours of the bank on screen,
    // laid out as on the keyboard (top row pads 5 to 8).
    Repeater {
        id: drawnPads
        objectName: "drawnPads"
        model: 8
        Rectangle {
            x: 862 + 60 + (index % 4) * 22
            y: 363 + 12 + Math.floor(index / 4) * 18
            width: 19
            height: 15
            radius: 2.5
            color: root.padColor(index, padSwipe.currentIndex, root.padColorTick)
            border.width: 1
            border.color: "#1c1c1e"
        }
    }

    CusButtonText {
        id: noteLabel
        objectName: "noteLabel"
        x: 875
        y: 408
        // Sized to the display window of the keyboard picture, so the
        // name stays centred there whatever its length.
        width: 36
        height: 12
        fonSize: 8
        textColorNormal: "black"
        text: ""
        Accessible.name: qsTr("Last played note")
        Accessible.description: text
    }

    CusButton {
        objectName: "sendButton"
        x: 936
        y: 453
        width: 148
        height: 24
        text: qsTr("SEND TO HARDWARE")
        Accessible.name: qsTr("Send to hardware")
        tip: qsTr("Write every setting shown here into the connected keyboard")
        onClicked: { root.commitEdits(); MainLogic.sendData() }
    }
    CusButton {
        objectName: "getButton"
        x: 936
        y: 482
        width: 148
        height: 24
        text: qsTr("GET FROM HARDWARE")
        Accessible.name: qsTr("Get from hardware")
        tip: qsTr("Read the connected keyboard's settings into the editor, replacing what is shown")
        onClicked: { root.commitEdits(); MainLogic.getData() }
    }

    ConnectState {
        id: connectState
        objectName: "connectState"
        x: 936
        y: 520
    }
    Text {
        id: syncState
        objectName: "syncState"
        x: 936
        y: 534
        width: 150
        height: 12
        verticalAlignment: Text.AlignVCenter
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel3
        color: (typeof Document !== "undefined" && Document && Document.inSync) ? "#a0a0a0" : "#ff7900"
        text: root.syncText()
    }
}
