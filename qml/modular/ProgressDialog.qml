import QtQuick 2.15
import QtQuick.Controls 2.15
import Q7X.Access 1.0
import "../BaseControl"
import ".."

// Firmware dialog: follows an online firmware check and update from the offer
// to the end of the transfer. It only calls Ftp.downloadFir(); everything
// else comes in as signals.
Dialog {
    id: dialog
    property alias busy: busy
    property alias offerText: offerText
    property alias description: description
    property alias descriptionView: descriptionView
    property alias upgradeButton: upgradeButton
    property alias retryButton: retryButton
    property alias statusText: statusText
    property alias progress: progress
    property alias busyText: busyText
    property alias progressText: progressText
    property alias versionsText: versionsText
    property alias closeButton: closeButton
    property alias scaler: scaler

    modal: true
    // Names the dialog for screen readers; the dialog draws its own heading.
    title: qsTr("Firmware update")
    header: null
    DialogName { dialog: dialog; name: dialog.title }
    width: 358
    height: 216
    padding: 0
    // What the retry button does after a failure: "check" asks the server
    // again, "download" downloads and installs the offered image again.
    property string retryAction: ""
    // What the busy indicator stands for: "check" or "download".
    property string busyReason: "check"
    // The offered version, and the percentage of the transfer so far.
    property string offeredVersion: ""
    property int percent: 0

    // The keyboard's firmware version in the form the check compares
    // (1, 0, 2 reads 1.02); "?" while the keyboard has not told it.
    function currentVersion() {
        var v = (typeof DataMgt !== "undefined" && DataMgt && DataMgt.getVerInfo) ? DataMgt.getVerInfo() : null
        if (!v || v.length < 3)
            return "?"
        return v[0] + "." + v[1] + "" + v[2]
    }

    function scalingRate() {
        var r = (typeof MainLogic !== "undefined" && MainLogic) ? Number(MainLogic.getScalingRate()) : 1.0
        return (isFinite(r) && r > 0) ? r : 1.0
    }
    function applyRate(rate) {
        width = 358 * rate
        height = 216 * rate
        scaler.verticalRatio = rate
        scaler.horizontalRatio = rate
        scaler.resize()
    }

    // Opens the dialog waiting for the check's answer.
    function show() {
        busyReason = "check"
        busy.visible = true
        offerText.visible = false
        descriptionView.visible = false
        upgradeButton.visible = false
        retryButton.visible = false
        progress.visible = false
        statusText.visible = false
        if (parent) {
            x = (parent.width - width) / 2
            y = (parent.height - height) / 2
        }
        open()
    }

    function showInfo(name, ver, infoList) {
        busy.visible = false
        retryButton.visible = false
        if (String(name) === "null") {
            statusText.text = qsTr("This is already the newest firmware; no upgrade is needed!")
            statusText.visible = true
            return
        }
        statusText.visible = false
        offerText.visible = true
        descriptionView.visible = true
        upgradeButton.visible = true
        offeredVersion = String(Number(ver))
        versionsText.current = currentVersion()
        var lines = [qsTr("Firmware name:") + name, qsTr("Version:") + Number(ver)]
        if (infoList) {
            for (var i = 0; i < infoList.length; ++i)
                lines.push(String(infoList[i]))
        }
        description.text = lines.join("\n")
    }

    function startUpgrade() {
        statusText.visible = false
        descriptionView.visible = false
        offerText.visible = false
        upgradeButton.visible = false
        retryButton.visible = false
        busyReason = "download"
        busy.visible = true
        Ftp.downloadFir()
    }

    // Something failed: stop waiting, say what (the message comes in the
    // interface's language) and offer to try again when retry names how.
    function showFailure(message, retry) {
        if (!dialog.visible)
            dialog.show()
        busy.visible = false
        offerText.visible = false
        descriptionView.visible = false
        upgradeButton.visible = false
        progress.visible = false
        progress.value = 0
        statusText.text = String(message)
        statusText.visible = true
        retryAction = retry
        retryButton.visible = retry !== ""
    }

    function retry() {
        var action = retryAction
        retryButton.visible = false
        statusText.visible = false
        busyReason = action === "check" ? "check" : "download"
        busy.visible = true
        if (action === "check")
            Ftp.checkOnLineFirmware()
        else
            Ftp.downloadFir()
    }

    // The transfer runs: only the progress is shown, whatever was on screen
    // when it started.
    function showProgress(value) {
        busy.visible = false
        offerText.visible = false
        descriptionView.visible = false
        upgradeButton.visible = false
        retryButton.visible = false
        statusText.visible = false
        progress.visible = true
        var v = Number(value)
        percent = isFinite(v) ? Math.round(Math.max(0, Math.min(100, v))) : 0
        progress.value = percent / 100
    }

    function showResult(isSuccess) {
        progress.visible = false
        progress.value = 0
        busy.visible = false
        retryButton.visible = false
        statusText.text = isSuccess ? qsTr("Firmware upgrade succeeded!") : qsTr("Firmware upgrade failed!")
        statusText.visible = true
    }

    background: Rectangle {
        color: "#f0f0f0"
        border.width: 1
        radius: CusConfig.radiuSize2
    }

    Item {
        id: content
        anchors.fill: parent

        BusyIndicator {
            id: busy
            objectName: "busy"
            x: 149
            y: 78
            running: visible
            Accessible.name: busyText.text
        }
        // Says what the busy indicator waits for.
        Text {
            id: busyText
            objectName: "busyText"
            x: 34
            y: 130
            width: 290
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            visible: busy.visible
            text: dialog.busyReason === "download" ? qsTr("Downloading the firmware…")
                                                   : qsTr("Checking for new firmware…")
            color: "#333333"
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        Text {
            id: offerText
            objectName: "offerText"
            x: 31
            y: 19
            width: 290
            wrapMode: Text.WordWrap
            visible: false
            text: qsTr("A new firmware version was found. Do you want to upgrade?")
            color: "#333333"
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        // The keyboard's version and the offered one, side by side.
        Text {
            id: versionsText
            objectName: "versionsText"
            property string current: "?"
            x: 31
            y: 33
            width: 290
            visible: offerText.visible
            elide: Text.ElideRight
            text: qsTr("Current version: %1    New version: %2").arg(current).arg(dialog.offeredVersion)
            color: "#333333"
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        ScrollView {
            id: descriptionView
            objectName: "descriptionView"
            x: 31
            y: 48
            width: 296
            height: 125
            visible: false
            clip: true
            TextArea {
                id: description
                objectName: "description"
                readOnly: true
                // Server text is shown as it is, never as markup.
                textFormat: TextEdit.PlainText
                wrapMode: TextEdit.WrapAtWordBoundaryOrAnywhere
                color: "#333333"
                font.family: CusConfig.fontFamily
                font.pixelSize: CusConfig.fontSizeLevel2
                background: Item {}
                Accessible.name: qsTr("Firmware description")
            }
        }

        CusButton {
            id: upgradeButton
            objectName: "upgradeButton"
            x: 143
            y: 186
            width: 102
            height: 16
            visible: false
            text: qsTr("Upgrade firmware")
            onClicked: dialog.startUpgrade()
        }

        CusButton {
            id: retryButton
            objectName: "retryButton"
            x: 143
            y: 186
            width: 102
            height: 16
            visible: false
            text: qsTr("Try again")
            onClicked: dialog.retry()
        }

        Text {
            id: statusText
            objectName: "statusText"
            anchors.centerIn: parent
            width: 290
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            visible: false
            text: qsTr("This is already the newest firmware; no upgrade is needed!")
            color: "#333333"
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        CusProgress {
            id: progress
            objectName: "progress"
            anchors.centerIn: parent
            width: 88
            height: 126
            visible: false
            Accessible.name: qsTr("Firmware transfer progress")
        }
        // The transfer's progress in words, under the picture.
        Text {
            id: progressText
            objectName: "progressText"
            x: 34
            y: 176
            width: 290
            horizontalAlignment: Text.AlignHCenter
            visible: progress.visible
            text: qsTr("Sending the firmware to the keyboard: %1%").arg(dialog.percent)
            color: "#333333"
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        CusButton_Image {
            id: closeButton
            objectName: "closeButton"
            x: 328
            y: 3
            btnImgNormal: "qrc:/img/icon_close_default.png"
            btnImgHovered: "qrc:/img/icon_close_click.png"
            btnImgPressed: "qrc:/img/icon_close_click.png"
            Accessible.name: qsTr("Close firmware update")
            tip: Accessible.name
            onClicked: dialog.close()
        }

        AutoResize {
            id: scaler
        }
    }

    Connections {
        target: (typeof Ftp !== "undefined") ? Ftp : null
        function onShowDialog() {
            if (!dialog.visible)
                dialog.show()
        }
        function onInfo(name, ver, infoList) { dialog.showInfo(name, ver, infoList) }
        function onCheckFailed(message) { dialog.showFailure(message, "check") }
        function onDownloadFailed(message) { dialog.showFailure(message, "download") }
    }
    Connections {
        target: (typeof FirmwareUpdate !== "undefined") ? FirmwareUpdate : null
        function onTransmitProgress(value) { dialog.showProgress(value) }
        function onTransStatus(isSuccess) { dialog.showResult(isSuccess) }
        function onUpdateFailed(message) { dialog.showFailure(message, "download") }
        // The update under way goes on: only say why the new one was refused.
        function onUpdateRefused(message) { dialog.showFailure(message, "") }
    }
    Connections {
        target: (typeof MainLogic !== "undefined") ? MainLogic : null
        function onScreenChanged() { dialog.applyRate(dialog.scalingRate()) }
    }

    Component.onCompleted: {
        scaler.begin()
        applyRate(scalingRate())
    }
}
