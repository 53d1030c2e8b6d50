import QtQuick 2.15
import QtQuick.Controls 2.15

// List box whose list opens as a grid filled column by column (the note list:
// one octave per column). Cell sizes follow the scaling rate, read anew each
// time the grid opens. keyIndex: the owner's index, if it hands one over; an
// owner in the rightmost grid column (index mod 4 == 3) opens the grid to the
// left, where it stays inside the window. Without an index it opens centred.
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
    property int keyIndex: -1
    property real popupRate: 1.0
    property real cellWidth: 30
    property real cellHeight: 14

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

    delegate: ItemDelegate {
        id: cell
        width: control.cellWidth
        height: control.cellHeight
        padding: 0
        hoverEnabled: true
        contentItem: Text {
            text: qsTr(control.soleValue ? modelData : model[control.textRole])
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2 * control.popupRate
            color: CusConfig.colortext
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            radius: 2 * control.popupRate
            color: cell.hovered ? Qt.lighter(CusConfig.colorElement, 1.5)
                 : control.currentIndex === index ? CusConfig.colorElement
                 : CusConfig.colorInput
        }
        TransArea {}
    }

    popup: Popup {
        id: grid
        width: 11 * control.cellWidth + 10 * control.popupRate
        height: 13 * control.cellHeight
        padding: 5
        y: control.height + 3
        x: (control.keyIndex >= 0 && control.keyIndex % 4 === 3) ? -200 * control.popupRate
                                                            : (control.width - width) / 2
        onAboutToShow: {
            control.popupRate = control.currentRate()
            control.cellWidth = 30 * control.popupRate
            control.cellHeight = 14 * control.popupRate
        }

        contentItem: GridView {
            clip: true
            flow: GridView.FlowTopToBottom
            cellWidth: control.cellWidth
            cellHeight: control.cellHeight
            model: grid.visible ? control.delegateModel : null
            currentIndex: control.highlightedIndex
            boundsBehavior: Flickable.StopAtBounds
        }
        background: Rectangle {
            color: CusConfig.colorInput
            border.width: 1
            border.color: CusConfig.colorBorderInput
            radius: CusConfig.radiuSize2
        }
    }
    FocusRing { shown: control.visualFocus }
}
