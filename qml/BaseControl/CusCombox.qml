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
    // A small arrow at the right end marks the box as a list, where the box
    // has room for it beside its longest item.
    property bool arrowShown: false
    // A thin frame around the box, for boxes on a background of their own
    // colour, where the box would otherwise not show.
    property bool outlined: false
    // Width the list needs for its longest item, at the rate it opens with.
    property real popupContentWidth: 0

    // The widest item text at the list's font size, plus the row's margins.
    function measurePopup() {
        var widest = 0
        for (var i = 0; i < count; ++i) {
            metrics.text = qsTr(textAt(i))
            widest = Math.max(widest, metrics.advanceWidth)
        }
        popupContentWidth = widest + 12 * popupRate
    }

    TextMetrics {
        id: metrics
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel2 * control.popupRate
    }

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

    indicator: Text {
        x: control.width - width - control.height / 3
        y: (control.height - height) / 2
        visible: control.arrowShown
        text: "\u25BE"
        color: control.enabled ? CusConfig.colortext : CusConfig.colorTextDisable
        font.family: CusConfig.fontFamily
        font.pixelSize: control.font.pixelSize
    }
    contentItem: Text {
        leftPadding: control.arrowShown ? control.height / 3 : 0
        rightPadding: control.arrowShown ? control.indicator.width + control.height / 3 : 0
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
        border.width: (control.enabled && !control.outlined) ? 0 : 1
        border.color: CusConfig.colorBorderInput
    }

    // Rows are sized from the box as it is shown (the box is already scaled
    // with its page); only the text, which is not part of the scaled tree,
    // takes the rate.
    delegate: ItemDelegate {
        id: row
        width: control.popup.width - control.popup.leftPadding - control.popup.rightPadding
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

    // Below the box, at least as wide as the box and as wide as its longest
    // item, framed and shadowed so that it reads as lying over the page.
    popup: Popup {
        y: control.height
        x: Math.min(0, (control.width - width) / 2)
        width: Math.max(control.width, control.popupContentWidth + 2)
        implicitHeight: Math.min(contentItem.implicitHeight + 2, control.height * 17)
        padding: 1
        onAboutToShow: {
            control.popupRate = control.currentRate()
            control.measurePopup()
        }

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
            border.width: 1
            border.color: CusConfig.colorBorderInput
            radius: 2
            // A soft shadow below and to the right.
            Rectangle {
                z: -1
                x: 2
                y: 3
                width: parent.width
                height: parent.height
                radius: 3
                color: "#60000000"
            }
        }
    }
    FocusRing { shown: control.visualFocus }
}
