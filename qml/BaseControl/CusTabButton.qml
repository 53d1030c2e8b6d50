import QtQuick 2.15
import QtQuick.Controls 2.15

// Picture tab: the checked or normal picture stretched over the button.
TabButton {
    id: control
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
}
