import QtQuick 2.15

// Light panel of the dialogs' sections.
Rectangle {
    width: 248
    height: 96
    color: "#f0f0f0"
    radius: CusConfig.radiuSize2
}
