import QtQuick 2.15
import QtQuick.Controls 2.15

// Type selector of up to three picture tabs; the third is left out when its
// text is empty. The first tab has its own width and pictures.
TabBar {
    id: control
    property int itemSmallWidth: 33
    property int itemWidth: 33
    property int itemHidth: 14
    property int fontSize: CusConfig.fontSizeLevel3
    property string text1: "NOTE"
    property string text2: "CC"
    property string text3: "PC"
    property color checkedTextColor: CusConfig.colortext
    // Whose selector this is ("Pad 5 type"); each tab is read out as this
    // name and its own text.
    property string accessibleName: ""
    // Hover help of each tab, by position.
    property string tip1: ""
    property string tip2: ""
    property string tip3: ""

    property url btnImgNormal: "qrc:/img/padBtn@2x.png"
    property url btnImgChecked: "qrc:/img/padBtnChecked@2x.png"
    property url btnSmallImgNormal: "qrc:/img/padBtn@2x.png"
    property url btnSmallImgChecked: "qrc:/img/padBtnChecked@2x.png"

    Accessible.name: accessibleName
    spacing: 0
    padding: 0
    height: itemHidth
    // The tab bar centres tabs of explicit height in its content height; tying
    // that to the bar's own height keeps the tabs at the top whatever size the
    // layout scaler gives the bar.
    contentHeight: height
    background: Item {}

    CusTabButton {
        width: control.itemSmallWidth
        height: control.itemHidth
        text: control.text1
        tip: control.tip1
        Accessible.name: control.accessibleName !== "" ? control.accessibleName + ": " + text : text
        fontSize: control.fontSize
        checkedTextColor: control.checkedTextColor
        btnImgNormal: control.btnSmallImgNormal
        btnImgChecked: control.btnSmallImgChecked
    }
    CusTabButton {
        width: control.itemWidth
        height: control.itemHidth
        text: control.text2
        tip: control.tip2
        Accessible.name: control.accessibleName !== "" ? control.accessibleName + ": " + text : text
        fontSize: control.fontSize
        checkedTextColor: control.checkedTextColor
        btnImgNormal: control.btnImgNormal
        btnImgChecked: control.btnImgChecked
    }
    CusTabButton {
        visible: control.text3 !== ""
        width: visible ? control.itemWidth : 0
        height: control.itemHidth
        text: control.text3
        tip: control.tip3
        Accessible.name: control.accessibleName !== "" ? control.accessibleName + ": " + text : text
        fontSize: control.fontSize
        checkedTextColor: control.checkedTextColor
        btnImgNormal: control.btnImgNormal
        btnImgChecked: control.btnImgChecked
    }
}
