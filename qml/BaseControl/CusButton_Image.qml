import QtQuick 2.15
import QtQuick.Controls 2.15

// Picture button of the title strip and the dialogs (close, minimise).
Button {
    id: control
    // Hover help, also read out by screen readers as the description.
    property string tip: ""
    ToolTip.text: tip
    ToolTip.visible: hovered && tip !== ""
    ToolTip.delay: 600
    Accessible.description: tip
    property url btnImgNormal: ""
    property url btnImgHovered: btnImgNormal
    property url btnImgPressed: btnImgHovered
    property url btnImgDisbaled: btnImgNormal
    property bool selected: false

    width: 24
    height: 36
    padding: 0
    background: Item {}
    contentItem: Item {
        Image {
            anchors.centerIn: parent
            width: 15
            height: 15
            source: !control.enabled ? control.btnImgDisbaled
                  : (control.down || control.selected) ? control.btnImgPressed
                  : control.hovered ? control.btnImgHovered
                  : control.btnImgNormal
        }
    }
    TransArea {}
    FocusRing { shown: control.visualFocus }
}
