import QtQuick 2.15
import QtQuick.Controls 2.15

// Compact list box without an arrow. soleValue: the model is a plain list of
// texts; otherwise its entries carry a "key" role that is shown.
ComboBox {
    id: control
    // Hover help, also read out by screen readers as the description.
    property string tip: ""
    ToolTip.text: tip
    ToolTip.visible: hovered && tip !== ""
    ToolTip.delay: 600
    Accessible.description: tip
    property color elementColor: CusConfig.colorElement
    property real offsetValue: height / 2
    property bool soleValue: true
    // The scaling rate at the time the list was last opened.
    property real popupRate: 1.0

    function currentRate() {
        var r = (typeof MainLogic !== "undefined" && MainLogic) ? Number(MainLogic.getScalingRate()) : 1.0
        return (isFinite(r) && r > 0) ? r : 1.0
    }

    width: 80
    height: 16
    textRole: soleValue ? "" : "key"
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2
    leftPadding: 0
    rightPadding: 0
    topPadding: 0
    bottomPadding: 0

    indicator: Item {}
    contentItem: Text {
        text: qsTr(control.displayText)
        font: control.font
        color: control.enabled ? CusConfig.colortext : CusConfig.colorTextDisable
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: control.offsetValue
        color: control.enabled ? control.elementColor : CusConfig.colorCbxDisable
        border.width: control.enabled ? 0 : 1
        border.color: CusConfig.colorBorderInput
    }

    // Rows are sized from the box as it is shown (the box is already scaled
    // with its page); only the text, which is not part of the scaled tree,
    // takes the rate.
    delegate: ItemDelegate {
        id: row
        width: control.width - 2 * control.offsetValue
        height: control.height
        padding: 0
        hoverEnabled: true
        contentItem: Text {
            text: qsTr(control.soleValue ? modelData : model[control.textRole])
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2 * control.popupRate
            color: CusConfig.colortext
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        background: Rectangle {
            color: row.hovered ? Qt.lighter(CusConfig.colorElement, 1.5)
                 : control.currentIndex === index ? CusConfig.colorElement
                 : CusConfig.colorInput
        }
        TransArea {}
    }

    popup: Popup {
        y: control.height
        width: control.width
        implicitHeight: Math.min(contentItem.implicitHeight, control.height * 17)
        padding: 0
        leftPadding: control.offsetValue
        rightPadding: control.offsetValue
        onAboutToShow: control.popupRate = control.currentRate()

        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: control.popup.visible ? control.delegateModel : null
            currentIndex: control.highlightedIndex
            boundsBehavior: Flickable.StopAtBounds
            ScrollIndicator.vertical: ScrollIndicator {}
        }
        background: Rectangle {
            color: CusConfig.colorInput
        }
    }
}
