import QtQuick 2.15
import "../BaseControl"

// Small badge with the letter of the bank (A or B) whose control it marks,
// so that the two banks' pages, which carry the same captions, can be told
// apart at a glance.
Rectangle {
    id: root
    property int bank: 0

    width: 10
    height: 10
    radius: 2
    color: bank === 0 ? "#5e17cc" : "#ff7900"
    Accessible.role: Accessible.StaticText
    Accessible.name: bank === 0 ? qsTr("BANK A") : qsTr("BANK B")

    Text {
        x: 0
        y: 0
        width: root.width
        height: root.height
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: root.bank === 0 ? "A" : "B"
        color: root.bank === 0 ? "#ffffff" : "#1e1e1e"
        font.family: CusConfig.fontFamily
        font.pixelSize: 8
        font.bold: true
    }
}
