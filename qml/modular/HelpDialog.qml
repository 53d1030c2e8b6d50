import QtQuick 2.15
import QtQuick.Controls 2.15
import Q7X.Access 1.0
import "../BaseControl"
import ".."

// About: the program's and the keyboard's versions and serial number, the
// firmware update, and the maker's support links. The link area follows the
// interface language: linkState "englishHelp" shows the support-centre link,
// "chineseHelp" the row of Chinese channels.
Dialog {
    id: dialog
    property string linkState: "englishHelp"
    // Where the links lead, set by whoever ships the program; a link
    // without an address stays inactive.
    property string supportUrl: ""
    property string chineseSiteUrl: ""
    property string videoChannelUrl: ""
    // Read once, when the dialog is created.
    readonly property string softVersion: (typeof MainLogic !== "undefined" && MainLogic)
                                          ? String(MainLogic.getSoftVersion()) : ""
    property string serialNumber: ""
    // Set once the keyboard has told its serial number (even an empty one).
    property bool serialKnown: false
    property string firmwareVersion: ""

    property alias snText: snText
    property alias firmwareText: firmwareText
    property alias updateButton: updateButton
    property alias englishLink: englishLink
    property alias chineseLinks: chineseLinks
    property alias linkArea: linkArea
    property alias closeButton: closeButton
    property alias scaler: scaler

    // Text colours on the dialog's light grey: the main lines dark, the
    // small print a medium grey that still reads (both above 4.5:1).
    readonly property color textColor: CusConfig.colorTitleText
    readonly property color smallPrintColor: "#5c5c5c"
    readonly property color linkColor: "#4a12a3"

    modal: true
    // Names the dialog for screen readers; the dialog draws its own heading.
    title: qsTr("About")
    header: null
    DialogName { dialog: dialog; name: dialog.title }
    width: 358
    height: 216
    padding: 0

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
    function show() {
        if (parent) {
            x = (parent.width - width) / 2
            y = (parent.height - height) / 2
        }
        open()
    }
    function openLink(url) {
        if (url !== "")
            Qt.openUrlExternally(url)
    }

    background: Rectangle {
        color: "#f0f0f0"
        border.width: 1
        radius: CusConfig.radiuSize2
    }

    Item {
        id: content
        anchors.fill: parent

        Text {
            objectName: "notice"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 193
            z: -1
            text: qsTr("Copyright © Vornel. All rights reserved.")
            color: dialog.smallPrintColor
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel3
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        Image {
            x: 136
            y: 18
            source: "qrc:/img/helpLogo.png"
        }

        Text {
            id: snText
            objectName: "snText"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 103
            text: dialog.serialKnown ? "sn:" + dialog.serialNumber : ""
            Accessible.ignored: text === ""
            color: dialog.textColor
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        Text {
            objectName: "programLine"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 118
            // Names the system the program runs on.
            text: Qt.platform.os === "windows" ? qsTr("Vornel PC Control Windows OS")
                                               : qsTr("Vornel PC Control Linux")
            color: dialog.textColor
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        Row {
            objectName: "versionRow"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 132
            spacing: 20
            Text {
                objectName: "softVersionText"
                text: qsTr("Version：") + dialog.softVersion
                color: dialog.textColor
                font.family: CusConfig.fontFamily
                font.pixelSize: CusConfig.fontSizeLevel2
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Text {
                id: firmwareText
                objectName: "firmwareText"
                text: qsTr("Firmware:") + dialog.firmwareVersion
                color: dialog.textColor
                font.family: CusConfig.fontFamily
                font.pixelSize: CusConfig.fontSizeLevel2
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }

        CusButton {
            id: updateButton
            objectName: "updateButton"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 147
            width: 110
            height: 16
            text: qsTr("firmware updates")
            tip: qsTr("Look for newer firmware for the connected keyboard")
            onClicked: Ftp.checkOnLineFirmware()
        }

        Item {
            id: linkArea
            objectName: "linkArea"
            anchors.fill: parent
            state: dialog.linkState
            states: [
                State {
                    name: "englishHelp"
                    PropertyChanges { target: englishLink; visible: true }
                    PropertyChanges { target: chineseLinks; visible: false }
                },
                State {
                    name: "chineseHelp"
                    PropertyChanges { target: englishLink; visible: false }
                    PropertyChanges { target: chineseLinks; visible: true }
                }
            ]

            CusButtonText {
                id: englishLink
                objectName: "englishLink"
                anchors.horizontalCenter: parent.horizontalCenter
                y: 164
                textColorNormal: dialog.linkColor
                text: "SUPPORT CENTER"
                enabled: dialog.supportUrl !== ""
                onClicked: dialog.openLink(dialog.supportUrl)
            }

            Row {
                id: chineseLinks
                objectName: "chineseLinks"
                anchors.horizontalCenter: parent.horizontalCenter
                y: 166
                spacing: 10
                visible: false

                CusButtonText {
                    height: 16
                    textColorNormal: dialog.linkColor
                    // The QR picture opens above the row, inside the dialog.
                    imgY: -96
                    text: "进入官网"
                    enabled: dialog.chineseSiteUrl !== ""
                    onClicked: dialog.openLink(dialog.chineseSiteUrl)
                }
                Rectangle { y: 4; width: 1; height: 8; color: "#8c8c8c" }
                CusButtonText {
                    height: 16
                    textColorNormal: dialog.linkColor
                    // The QR picture opens above the row, inside the dialog.
                    imgY: -96
                    text: "官方公众号"
                    imgSource: "qrc:/img/qr_official_account.png"
                }
                Rectangle { y: 4; width: 1; height: 8; color: "#8c8c8c" }
                CusButtonText {
                    height: 16
                    textColorNormal: dialog.linkColor
                    // The QR picture opens above the row, inside the dialog.
                    imgY: -96
                    text: "官方客服"
                    imgSource: "qrc:/img/qr_customer_service.png"
                }
                Rectangle { y: 4; width: 1; height: 8; color: "#8c8c8c" }
                CusButtonText {
                    height: 16
                    textColorNormal: dialog.linkColor
                    // The QR picture opens above the row, inside the dialog.
                    imgY: -96
                    text: "官方微博"
                    imgSource: "qrc:/img/qr_social_account.png"
                }
                Rectangle { y: 4; width: 1; height: 8; color: "#8c8c8c" }
                CusButtonText {
                    height: 16
                    textColorNormal: dialog.linkColor
                    // The QR picture opens above the row, inside the dialog.
                    imgY: -96
                    text: "视频频道"
                    enabled: dialog.videoChannelUrl !== ""
                    onClicked: dialog.openLink(dialog.videoChannelUrl)
                }
            }
        }

        CusButton_Image {
            id: closeButton
            objectName: "closeButton"
            x: 328
            y: 3
            btnImgNormal: "qrc:/img/icon_close_default.png"
            btnImgHovered: "qrc:/img/icon_close_click.png"
            btnImgPressed: "qrc:/img/icon_close_click.png"
            Accessible.name: qsTr("Close About")
            tip: Accessible.name
            onClicked: dialog.close()
        }

        AutoResize {
            id: scaler
        }
    }

    Connections {
        target: (typeof MainLogic !== "undefined") ? MainLogic : null
        function onS_snNum(snStr) {
            dialog.serialNumber = String(snStr)
            dialog.serialKnown = true
        }
        function onScreenChanged() { dialog.applyRate(dialog.scalingRate()) }
    }
    function readFirmwareVersion() {
        var v = DataMgt.getVerInfo()
        if (v && v.length >= 3)
            dialog.firmwareVersion = v[0] + "." + v[1] + "." + v[2]
    }
    Connections {
        target: DataMgt
        function onS_updateDate() { dialog.readFirmwareVersion() }
    }

    Component.onCompleted: {
        scaler.begin()
        applyRate(scalingRate())
        // The dialog may be made after the store was filled.
        readFirmwareVersion()
    }
}
