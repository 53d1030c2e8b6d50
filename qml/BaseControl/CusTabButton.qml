import QtQuick 2.15
import QtQuick.Controls 2.15

// Picture tab: the checked or normal picture stretched over the button.
TabButton {
    id: control
    // Hover help, also read out by screen readers as the description.
    property string tip: ""
    ToolTip.text: tip
    ToolTip.visible: hovered && tip !== ""
    ToolTip.delay: 600
    Accessible.description: tip
    // Read out as the control's text unless the page names it better.
    Accessible.name: text
    property url btnImgNormal: "qrc:/img/padBtn@2x.png"
    property url btnImgChecked: "qrc:/img/padBtnChecked@2x.png"
    property int fontSize: CusConfig.fontSizeLevel3
    property color checkedTextColor: CusConfig.colortext

    width: 38
    height: 14
    padding: 0
    text: qsTr("BANK A")
    font.family: CusConfig.fontFamily
    font.pixelSize: fontSize

    background: Image {
        source: control.checked ? control.btnImgChecked : control.btnImgNormal
        fillMode: Image.Stretch
    }
    contentItem: Text {
        text: control.text
        font: control.font
        color: control.checked ? control.checkedTextColor : CusConfig.colorTextDisable
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    TransArea {}
    FocusRing { shown: control.visualFocus }
}
